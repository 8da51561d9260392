// Page 0: four load tiles, the machine facts taken at start-up, one-click profiles with the
// active-tweak count, and the newest session-log lines.
#include "pages/dashboard_page.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "engine/operations.h"
#include "engine/profiles.h"
#include "pages/pages.h"
#include "pages/session_page.h"
#include "state/app_state.h"
#include "state/text.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

constexpr double kGigabyte = 1024.0 * 1024.0 * 1024.0;
constexpr std::size_t kSessionLines = 6;

// `origin` moved by (x, y) layout pixels.
ImVec2 At(ImVec2 origin, float x, float y) {
    return ImVec2(origin.x + Scaled(x), origin.y + Scaled(y));
}

// `text` at `size` layout pixels into the current window's draw list.
void Put(ImVec2 position, ImFont* font, float size, ImU32 colour, std::string_view text) {
    PutText(ImGui::GetWindowDrawList(), font, Scaled(size), position, colour, text);
}

std::string Formatted(const char* format, double value) {
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A share of a total; an unknown (zero) total gives an empty bar instead of a division by 0.
double ShareOf(std::uint64_t part, std::uint64_t total) {
    return total == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(total);
}

// The dummy first, so that the body's content reaches the card's bottom edge.
void PlaceCard(ImVec2 position, ImVec2 size) {
    ImGui::SetCursorScreenPos(position);
    ImGui::Dummy(size);
    DrawCard(position, size, ColPanel);
}

void DrawTiles(ImVec2 origin, float width) {
    const float gap = Scaled(14);
    const ImVec2 size((width - 3 * gap) / 4, Scaled(108));
    const std::array<TileFigures, 4> tiles = DashboardTiles(GetMachineInfo());
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const TileFigures& tile = tiles[i];
        ImGui::SetCursorScreenPos(
            ImVec2(origin.x + static_cast<float>(i) * (size.x + gap), origin.y));
        MetricTile(tile.label.c_str(), tile.value.c_str(), tile.caption.c_str(), tile.fraction,
                   tile.barColour, size);
    }
}

void DrawSystemCard(ImVec2 position, float cardWidth) {
    PlaceCard(position, ImVec2(cardWidth, Scaled(252)));
    Put(At(position, 18, 18), FontSemibold, 12, ColAccent, "System");
    Put(At(position, 18, 38), FontBody, 11, ColTextMuted, "snapshot at startup");
    const MachineInfo& machine = GetMachineInfo();
    char cores[64];
    std::snprintf(cores, sizeof cores, "%uC / %uT", static_cast<unsigned>(machine.Cores),
                  static_cast<unsigned>(machine.Threads));
    const std::string host = ToUtf8(machine.HostName);
    const std::string os = ToUtf8(machine.OsName);
    const std::string cpu = ToUtf8(machine.CpuName);
    const std::string gpu = ToUtf8(machine.GpuName);
    const std::string board = ToUtf8(machine.BoardName);
    const std::string uptime = UptimeText(machine.UptimeSeconds);
    const struct {
        const char* label;
        const char* value;
    } rows[] = {{"HOST", host.c_str()},    {"OS", os.c_str()},       {"CPU", cpu.c_str()},
                {"GPU", gpu.c_str()},      {"BOARD", board.c_str()}, {"CORES", cores},
                {"UPTIME", uptime.c_str()}};
    // Each row placed itself, one under the other without gaps: after an item, Dear ImGui
    // would start the next line at the body's left edge instead of the card's.
    float y = 60;
    for (const auto& row : rows) {
        ImGui::SetCursorScreenPos(At(position, 18, y));
        KeyValueRow(row.label, row.value, cardWidth - Scaled(36));
        y += 25;
    }
}

void DrawQuickProfileCard(AppState& state, ImVec2 position, float cardWidth) {
    PlaceCard(position, ImVec2(cardWidth, Scaled(252)));
    Put(At(position, 18, 18), FontSemibold, 12, ColAccent, "Quick profile");
    Put(At(position, 18, 38), FontBody, 11, ColTextMuted, "one click, full undo.");
    char count[16];
    std::snprintf(count, sizeof count, "%u", static_cast<unsigned>(AppliedCount(state)));
    Put(At(position, 18, 56), FontSemibold, 42, ColText, count);
    Put(At(position, 18, 112), FontLabel, 9, ColTextMuted, "ACTIVE TWEAKS");
    const ImVec2 buttonSize(cardWidth - Scaled(36), Scaled(32));
    // The engine logs and saves every outcome itself; the page has nothing to add.
    ImGui::SetCursorScreenPos(At(position, 18, 136));
    if (StyledButton("COMPETITIVE", ColText, ColSurface, ColSurfaceHover, buttonSize))
        static_cast<void>(ApplyProfileTweaks(state, "Competitive"));
    ImGui::SetCursorScreenPos(At(position, 18, 174));
    if (StyledButton("BALANCED", ColText, ColSurface, ColSurfaceHover, buttonSize))
        static_cast<void>(ApplyProfileTweaks(state, "Balanced"));
    ImGui::SetCursorScreenPos(At(position, 18, 212));
    if (StyledButton("REVERT ALL", ColDanger, Rgba(0xFF5C5C14), Rgba(0xFF5C5C22), buttonSize))
        static_cast<void>(RevertEveryTweak(state));
}

void DrawSessionCard(const AppState& state, ImVec2 position, float width) {
    PlaceCard(position, ImVec2(width, Scaled(168)));
    Put(At(position, 18, 16), FontSemibold, 12, ColAccent, "Session");
    Put(ImVec2(position.x + width - Scaled(18 + 128), position.y + Scaled(18)), FontLabel, 9,
        ColTextMuted, "APPEND -> SESSION.LOG");
    const std::vector<LogEntry>& entries = state.LogEntries;
    if (entries.empty()) {
        Put(At(position, 18, 42), FontBody, 11, ColTextMuted, "no actions yet.");
        return;
    }
    const std::size_t shown = std::min(entries.size(), kSessionLines);
    for (std::size_t line = 0; line < shown; ++line) {
        const LogEntry& entry = entries[entries.size() - 1 - line];
        const float y = 42 + 20 * static_cast<float>(line);
        Put(At(position, 18, y), FontLabel, 10, ColTextMuted, ToUtf8(entry.time));
        Put(At(position, 88, y), FontLabel, 10, LogMessageColour(entry.kind),
            TruncateWithEllipsis(entry.message, FontLabel, 10, width - Scaled(116)));
    }
}

}  // namespace

std::array<TileFigures, 4> DashboardTiles(const MachineInfo& machine) {
    const double cpu = machine.CpuPercent;
    const double memory = ShareOf(machine.MemUsed, machine.MemTotal);
    // Free space as the value, the used share as the bar. A free figure above the total (a
    // quota the query reports oddly) gives an empty bar rather than none.
    const double disk = machine.DiskTotal == 0
                            ? 0.0
                            : std::max(1.0 - ShareOf(machine.DiskFree, machine.DiskTotal), 0.0);
    return {{
        {"CPU", Formatted("%.0f%%", cpu), ToUtf8(machine.CpuName), static_cast<float>(cpu / 100),
         cpu > 85 ? ColDanger : ColAccent},
        {"MEMORY", Formatted("%.1f GB", static_cast<double>(machine.MemUsed) / kGigabyte),
         Formatted("of %.1f GB", static_cast<double>(machine.MemTotal) / kGigabyte),
         static_cast<float>(memory), ColSuccess},
        {"GPU", ToUtf8(machine.GpuName), "primary adapter", -1.0f, 0},
        {"DISK C:", Formatted("%.0f GB", static_cast<double>(machine.DiskFree) / kGigabyte),
         Formatted("of %.0f GB", static_cast<double>(machine.DiskTotal) / kGigabyte),
         static_cast<float>(disk), disk > 0.9 ? ColDanger : ColAccent},
    }};
}

std::string UptimeText(std::uint64_t seconds) {
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " m";
}

void MetricTile(const char* label, const char* value, const char* caption, float fraction,
                ImU32 barColour, ImVec2 size) {
    const ImVec2 pos = ImGui::GetCursorScreenPos();
    ImGui::Dummy(size);
    DrawCard(pos, size, ColPanel);
    const float textWidth = size.x - Scaled(32);
    Put(At(pos, 16, 14), FontLabel, 9, ColTextMuted, label);
    Put(At(pos, 16, 33), FontSemibold, 20, ColText,
        TruncateWithEllipsis(value, FontSemibold, 20, textWidth));
    if (caption[0] != '\0') {
        Put(ImVec2(pos.x + Scaled(16), pos.y + size.y - Scaled(33)), FontBody, 10, ColTextSecondary,
            TruncateWithEllipsis(caption, FontBody, 10, textWidth));
    }
    if (fraction < 0)
        return;
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImVec2 track(pos.x + Scaled(16), pos.y + size.y - Scaled(16));
    const float trackWidth = size.x - Scaled(32);
    drawList->AddRectFilled(track, ImVec2(track.x + trackWidth, track.y + Scaled(4)), ColBorder,
                            Scaled(2));
    const float fill = trackWidth * std::min(fraction, 1.0f);
    // A sliver would draw as a blot wider than itself once rounded.
    if (fill > Scaled(2)) {
        drawList->AddRectFilled(track, ImVec2(track.x + fill, track.y + Scaled(4)), barColour,
                                Scaled(2));
    }
}

void DrawDashboardPage(AppState& state, ShellState&, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    const float gap = Scaled(14);
    DrawTiles(origin, width);
    const float row2 = origin.y + Scaled(108) + gap;
    const float systemWidth = 0.6f * width - Scaled(7);
    DrawSystemCard(ImVec2(origin.x, row2), systemWidth);
    DrawQuickProfileCard(state, ImVec2(origin.x + systemWidth + gap, row2),
                         width - systemWidth - gap);
    DrawSessionCard(state, ImVec2(origin.x, row2 + Scaled(252) + gap), width);
}
