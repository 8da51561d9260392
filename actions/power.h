// The power plan tweak: remember the active scheme, switch to Ultimate Performance (or High
// performance), and back.
#pragma once

#include <string>
#include <string_view>

#include "state/app_state.h"
#include "state/refusal.h"

// BackupStore[id + ".prev"] gets the active scheme's GUID text first, and is erased when the
// active scheme cannot be read. Ok when Ultimate
// Performance, High performance or "powercfg /setactive SCHEME_MIN" took; otherwise the
// first refusal, Ultimate Performance's.
[[nodiscard]] Result ApplyPowerPlan(AppState& state, std::string_view id);
// The BackupStore key of the remembered scheme, id + ".prev".
std::string PowerPlanMemoryKey(std::string_view id);

struct [[nodiscard]] PowerPlanRestore {
    Result result;
    // No remembered scheme could be activated, and Balanced was set by command instead.
    bool balancedInstead = false;
};
// The remembered scheme, or Balanced by command when there is none or it cannot be
// activated. Refused with the first refusal of the two.
PowerPlanRestore RestorePowerPlan(const AppState& state, std::string_view id);
