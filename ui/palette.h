// The colours of the interface, written #RRGGBBAA and packed the way Dear ImGui wants them.
#pragma once

#include <cstdint>

#include <imgui.h>

constexpr ImU32 Rgba(std::uint32_t rrggbbaa) {
    return IM_COL32((rrggbbaa >> 24) & 0xFF, (rrggbbaa >> 16) & 0xFF, (rrggbbaa >> 8) & 0xFF,
                    rrggbbaa & 0xFF);
}

// The colour with its alpha byte replaced, not multiplied.
constexpr ImU32 WithAlpha(ImU32 colour, std::uint32_t alpha) {
    return (colour & ~IM_COL32_A_MASK) | ((alpha & 0xFF) << IM_COL32_A_SHIFT);
}

inline constexpr ImU32 ColCanvas = Rgba(0x08070CFF);
inline constexpr ImU32 ColPanel = Rgba(0x0C0B11FF);
inline constexpr ImU32 ColSurface = Rgba(0x121017FF);
inline constexpr ImU32 ColSurfaceHover = Rgba(0x1A1722FF);
inline constexpr ImU32 ColBorder = Rgba(0x23202DFF);
inline constexpr ImU32 ColText = Rgba(0xECECF3FF);
inline constexpr ImU32 ColTextSecondary = Rgba(0x8B8B9CFF);
inline constexpr ImU32 ColTextMuted = Rgba(0x575763FF);
inline constexpr ImU32 ColAccent = Rgba(0xF5A524FF);
inline constexpr ImU32 ColAccentBright = Rgba(0xFFD166FF);
inline constexpr ImU32 ColSuccess = Rgba(0x37E08BFF);
inline constexpr ImU32 ColDanger = Rgba(0xFF5C5CFF);
