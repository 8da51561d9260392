// Turning a catalog tweak on: its action (machine changes and their captures, into the
// AppState given), then the bookkeeping (applied set, captures kept or dropped, the state
// file, one log line).
#pragma once

#include <string_view>

#include "engine/tweak_table.h"
#include "state/app_state.h"

// True when the tweak is applied when the call returns: it already was, or its action
// succeeded. False when the id is not in the catalog or the action failed; the changes of a
// failed attempt are put back and its captures dropped. Quiet writes no log line and
// changes nothing else.
[[nodiscard]] bool ApplyTweak(AppState& state, std::string_view id, bool quiet);

// The action alone: changes the machine and appends captures and BackupStore entries to
// `state`; true when it succeeded. Records nothing else.
[[nodiscard]] bool RunApplyAction(AppState& state, const TweakPlan& plan);
