// state.bin lives in the user's own folder, where any program the user runs can rewrite it,
// while a revert usually runs elevated. A revert therefore restores only captures that its
// own tweak could have taken: the values of its table, its own services, servers that are
// plain addresses.
#pragma once

#include "engine/tweak_table.h"
#include "state/app_state.h"

// True when every capture stored under the tweak's id is one the tweak itself could have
// taken, or the tweak's undo restores no captures.
[[nodiscard]] bool CapturesAreTheTweaksOwn(const AppState& state, const TweakPlan& plan);
