// The interface's icons. Every icon is drawn from lines, arcs and polygons into a draw list,
// so it is sharp at any size and any UI scale; there are no bitmaps.
#pragma once

#include <imgui.h>

// The pages' icons.
inline constexpr int kIconGauge = 0;
inline constexpr int kIconSliders = 1;
inline constexpr int kIconGlobe = 2;
inline constexpr int kIconBroom = 3;
inline constexpr int kIconLayers = 4;
inline constexpr int kIconTerminal = 5;
inline constexpr int kIconShield = 10;
inline constexpr int kIconClose = 15;
inline constexpr int kIconMinimize = 16;
inline constexpr int kIconMaximize = 17;

// Draws icon `id` in the square of side `size` centred on `center`. Strokes are `thickness`
// unscaled pixels wide whatever the size. Secondary strokes take the colour's red, green and
// blue with an alpha of their own. A colour with an alpha of zero draws nothing; ids no
// screen uses (6 to 9, 11 to 14, 18 to 21) draw nothing; any other unknown id draws a dot.
void DrawIcon(ImDrawList* drawList, ImVec2 center, float size, int id, ImU32 colour,
              float thickness);
