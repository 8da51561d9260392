// The four fonts of the interface: Inter faces compiled into the executable, Windows system
// fonts as fallbacks, and Dear ImGui's built-in font as the last resort.
#pragma once

#include <imgui.h>

inline ImFont* FontBody = nullptr;      // kind 0: body text, values; the default font
inline ImFont* FontSemibold = nullptr;  // kind 1: headings, buttons, navigation, badges
inline ImFont* FontLabel = nullptr;     // kind 2: small labels, numbers, status texts
inline ImFont* FontDisplay = nullptr;   // kind 3: page titles, large figures

inline constexpr int kResourceInterMedium = 201;
inline constexpr int kResourceInterSemiBold = 202;
inline constexpr int kResourceInterDisplayBold = 203;

// Needs a current ImGui context; never leaves a handle null.
void LoadFonts();

// The TrueType resource `id` added to the atlas; null when it is missing or too short.
ImFont* LoadResourceFont(ImFontAtlas* atlas, int id, float sizePixels, const ImFontConfig& config);
