// Turning an applied tweak off: its undo alone (restoring its captures from last to first,
// or a dedicated undo). The bookkeeping that follows is Record's (engine/tweak_change.h).
#pragma once

#include <string_view>

#include "engine/tweak_change.h"
#include "state/app_state.h"

// Runs the tweak's undo against the captures and BackupStore entries of `state`, which is
// only read. Refused, with nothing restored, for an id not in the catalog ("not in the
// catalog") or stored captures that are not the tweak's own ("captures are not the tweak's
// own"); the preinstalled apps are refused ("cannot be undone"). Whether the tweak is
// applied is not checked.
[[nodiscard]] TweakChange RunRevert(const AppState& state, std::string_view id);

// The warning after a power plan revert that could not go back to the remembered scheme.
inline constexpr std::string_view kBalancedInsteadNotice =
    "power plan: the plan before is gone, Balanced set instead";
