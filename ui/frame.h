// The frame every page sits in, built once per frame between ImGui::NewFrame and
// ImGui::Render.
#pragma once

#include <imgui.h>

void DrawFrame();

// The window backdrop: the canvas colour, a warm glow above the top right and a fading
// accent line along the top left.
void DrawBackdrop(ImDrawList* drawList, ImVec2 size);

// Concentric discs, largest first, each a little more opaque: densest at the centre.
void DrawGlow(ImDrawList* drawList, ImVec2 center, float radius, ImU32 colour, int rings);
