// Putting captures back: the undo of every tweak that captured what it changed, used by
// the revert and by the rollback of a failed apply.
#pragma once

#include "engine/tweak_table.h"
#include "state/app_state.h"
#include "state/refusal.h"

// Restores the id's registry captures, last to first, then its service captures the same
// way, starting again each service that was automatic before; for the pointer tweak the
// live pointer settings then follow the restored values. Ok when every registry value and
// service start type is back; otherwise the first refusal, in the order of the restores.
[[nodiscard]] Result RestoreCaptures(const AppState& state, const TweakPlan& plan);
