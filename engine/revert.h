// Turning an applied tweak off: its undo (restoring its captures from last to first, or a
// dedicated undo), then the bookkeeping (applied set, captures dropped, the state file, one
// log line).
#pragma once

#include <string_view>

#include "engine/tweak_table.h"
#include "state/app_state.h"

// True when the tweak is not applied when the call returns: it was not, or its undo
// succeeded. False when the id is not in the catalog, its stored captures are not its own,
// or the undo failed; the tweak then stays applied with every capture. Quiet writes no log
// line and changes nothing else.
[[nodiscard]] bool RevertTweak(AppState& state, std::string_view id, bool quiet);

// The undo alone; true when it succeeded. Changes no state.
[[nodiscard]] bool RunRevertAction(const AppState& state, const TweakPlan& plan);
