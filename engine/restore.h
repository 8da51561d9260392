// Putting captures back: the undo of every tweak that captured what it changed, used by
// the revert and by the rollback of a failed apply.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/tweak_table.h"
#include "state/app_state.h"

// Where a tweak's capture lists stood; restoring from here leaves older captures alone.
struct CaptureMark {
    std::size_t registry = 0;
    std::size_t services = 0;
};
CaptureMark MarkCaptures(const AppState& state, std::string_view id);

// Restores the id's registry captures from the mark on, last to first, then its service
// captures the same way, starting again each service that was automatic before; for the
// pointer tweak the live pointer settings then follow the restored values. True when every
// registry value and service start type is back.
[[nodiscard]] bool RestoreCaptures(const AppState& state, const TweakPlan& plan,
                                   CaptureMark from = {});
