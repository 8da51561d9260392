// The catalog's tweaks as list rows and category headers, shared by the pages that list them.
#pragma once

#include "engine/catalog.h"
#include "state/app_state.h"

// The tweak's row at the cursor, scoped by its id; a press toggles it through the engine.
void DrawTweakRow(AppState& state, const TweakEntry& entry, float width);
// The category's section header with the number of catalog tweaks in it.
void DrawCategoryHeader(const char* category, float width);
