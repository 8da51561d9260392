// One catalog tweak as a 56-pixel row of a list, the whole row a toggle: a press applies the
// tweak when it is not applied and reverts it when it is. Callers scope each row's id.
#pragma once

#include "engine/catalog.h"
#include "state/app_state.h"

// `width` already scaled; advances the cursor by one 56 × scale high item.
void TweakRow(AppState& state, const TweakEntry& entry, float width);
