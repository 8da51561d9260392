// The power plan tweak: remember the active scheme, switch to Ultimate Performance (or High
// performance), and back.
#pragma once

#include <string_view>

#include "state/app_state.h"
#include "state/refusal.h"

// BackupStore[id + ".prev"] gets the active scheme's GUID text first. Ok when Ultimate
// Performance, High performance or "powercfg /setactive SCHEME_MIN" took; otherwise the
// first refusal, Ultimate Performance's.
[[nodiscard]] Result ApplyPowerPlan(AppState& state, std::string_view id);
// The remembered scheme, or Balanced by command when it cannot be activated. Refused with
// the first refusal of the two.
[[nodiscard]] Result RestorePowerPlan(const AppState& state, std::string_view id);
