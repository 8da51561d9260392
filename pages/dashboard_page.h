// The dashboard's metric tile and the figures its tiles and system card show, worked out
// from the machine record apart from the drawing.
#pragma once

#include <imgui.h>

#include <array>
#include <cstdint>
#include <string>

#include "sysinfo/machine_info.h"

// What one metric tile shows. A negative fraction draws no bar.
struct TileFigures {
    std::string label;
    std::string value;
    std::string caption;
    float fraction = -1.0f;
    ImU32 barColour = 0;
    bool operator==(const TileFigures&) const = default;
};

// Processor, memory, graphics adapter and drive C:, left to right.
std::array<TileFigures, 4> DashboardTiles(const MachineInfo& machine);

// Whole hours and the minutes past them, "25 h 1 m": hours are not folded into days.
std::string UptimeText(std::uint64_t seconds);

// A card with a label, a value and an optional caption, cut to its width, and a bar filled to
// `fraction` (at most the whole track) when the fraction is 0 or more. `size` is already
// scaled; reserves the tile's space at the cursor.
void MetricTile(const char* label, const char* value, const char* caption, float fraction,
                ImU32 barColour, ImVec2 size);
