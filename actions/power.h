// The power plan tweak: remember the active scheme, switch to Ultimate Performance (or High
// performance), and back.
#pragma once

#include <string_view>

#include "state/app_state.h"

// BackupStore[id + ".prev"] gets the active scheme's GUID text first.
[[nodiscard]] bool ApplyPowerPlan(AppState& state, std::string_view id);
// The remembered scheme, or Balanced when it cannot be activated.
[[nodiscard]] bool RestorePowerPlan(const AppState& state, std::string_view id);
