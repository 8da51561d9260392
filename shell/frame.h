// The frame every page sits in, built once per frame between ImGui::NewFrame and
// ImGui::Render: backdrop, drag strip, sidebar, header with the restore-point button, the
// scrolling body of the current page, status bar, window buttons and the toast.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <string>

#include "state/app_state.h"
#include "ui/shell_state.h"

void DrawFrame(AppState& state, ShellState& shell);

// The header's upper-case page name after "WORKSPACE /", and its caption line with the
// number of active tweaks. Empty names for an index outside the pages.
std::string PageBreadcrumb(int page);
std::string PageCaption(int page, std::uint32_t activeTweaks);

// The window backdrop: the canvas colour, a warm glow above the top right and a fading
// accent line along the top left.
void DrawBackdrop(ImDrawList* drawList, ImVec2 size);

// Concentric discs, largest first, each a little more opaque: densest at the centre.
void DrawGlow(ImDrawList* drawList, ImVec2 center, float radius, ImU32 colour, int rings);
