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
// Hibernation off with "powercfg /h off", after remembering under BackupStore[id + ".was"]
// whether it was on ("1") or off ("0"), as HibernateEnabled under
// HKLM\SYSTEM\CurrentControlSet\Control\Power tells; nothing when that is not a DWORD.
[[nodiscard]] Result SwitchHibernationOff(AppState& state, std::string_view id);
// "powercfg /h on", unless it was remembered off: then there is nothing to do. Any other
// memory, or none (a state file of an earlier version), turns it on.
[[nodiscard]] Result RestoreHibernation(const AppState& state, std::string_view id);
// The BackupStore key of whether hibernation was on, id + ".was".
std::string HibernationMemoryKey(std::string_view id);

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
