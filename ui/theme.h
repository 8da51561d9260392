// The ImGui style of the interface: sizes times the UI scale, a dark scheme with an amber
// accent.
#pragma once

// Changes ImGui::GetStyle() in place; call once, after LoadFonts.
void ApplyTheme();
