#include "shell/sidebar.h"

#include <algorithm>
#include <cstdio>

#include "sysinfo/machine_info.h"
#include "ui/fonts.h"
#include "shell/page_table.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

void DrawCardFrame(ImDrawList* drawList, ImVec2 from, ImVec2 to) {
    drawList->AddRectFilled(from, to, ColSurface, Scaled(10));
    drawList->AddRect(from, to, ColBorder, Scaled(10), 0, 1.0f);
}

void DrawBrand(ImDrawList* drawList, ImVec2 origin) {
    const ImVec2 logo(origin.x + Scaled(22), origin.y + Scaled(22));
    const ImVec2 logoEnd(logo.x + Scaled(32), logo.y + Scaled(32));
    drawList->AddRectFilled(logo, logoEnd, ColSurface, Scaled(9));
    drawList->AddRect(logo, logoEnd, Rgba(0xF5A5244D), Scaled(9), 0, 1.0f);
    PutText(drawList, FontDisplay, Scaled(17), ImVec2(logo.x + Scaled(10), logo.y + Scaled(5)),
            ColAccent, "Q");
    PutText(drawList, FontSemibold, Scaled(14), ImVec2(logo.x + Scaled(44), logo.y + Scaled(2)),
            ColText, "quillfarrow");
    PutLabel(drawList, ImVec2(logo.x + Scaled(44), logo.y + Scaled(21)), ColTextMuted,
             "OPTIMIZER / 2.0.0");
}

void DrawLoadCard(ImDrawList* drawList, ImVec2 origin, float sidebarWidth) {
    const MachineInfo& machine = GetMachineInfo();
    const float top = origin.y + Scaled(112) + 6 * Scaled(41) + Scaled(10);
    PutLabel(drawList, ImVec2(origin.x + Scaled(22), top), ColTextMuted, "AT A GLANCE");
    const ImVec2 from(origin.x + Scaled(14), top + Scaled(16));
    const ImVec2 to(from.x + sidebarWidth - Scaled(28), from.y + Scaled(104));
    DrawCardFrame(drawList, from, to);
    struct Bar {
        const char* label;
        float fraction;
        ImU32 colour;
    };
    const Bar bars[] = {
        {"CPU", CpuFraction(machine.CpuPercent), ColAccent},
        {"MEMORY", UsedFraction(machine.MemUsed, machine.MemTotal), ColSuccess},
        {"DISK C:",
         UsedFraction(machine.DiskTotal - std::min(machine.DiskFree, machine.DiskTotal),
                      machine.DiskTotal),
         ColAccent},
    };
    const float left = from.x + Scaled(12);
    const float right = to.x - Scaled(12);
    for (int i = 0; i < 3; ++i) {
        const Bar& bar = bars[i];
        const float rowTop = from.y + Scaled(12) + Scaled(30) * static_cast<float>(i);
        PutLabel(drawList, ImVec2(left, rowTop), ColTextMuted, bar.label);
        char percent[16];
        std::snprintf(percent, sizeof percent, "%d%%", static_cast<int>(bar.fraction * 100 + 0.5f));
        PutLabelRightAligned(drawList, right, rowTop, ColTextSecondary, percent);
        drawList->AddRectFilled(ImVec2(left, rowTop + Scaled(15)),
                                ImVec2(right, rowTop + Scaled(18)), ColBorder, Scaled(2));
        const float fill = (to.x - from.x - Scaled(24)) * bar.fraction;
        if (fill > Scaled(2))
            drawList->AddRectFilled(ImVec2(left, rowTop + Scaled(15)),
                                    ImVec2(left + fill, rowTop + Scaled(18)), bar.colour,
                                    Scaled(2));
    }
}

void DrawSessionCard(ImDrawList* drawList, ImVec2 origin, float sidebarWidth, float height) {
    const bool elevated = GetMachineInfo().IsElevated;
    const float top = origin.y + height - Scaled(138);
    PutLabel(drawList, ImVec2(origin.x + Scaled(22), top - Scaled(22)), ColTextMuted, "SESSION");
    const ImVec2 from(origin.x + Scaled(14), top);
    const ImVec2 to(from.x + sidebarWidth - Scaled(28), top + Scaled(62));
    DrawCardFrame(drawList, from, to);
    const ImU32 status = elevated ? ColSuccess : ColDanger;
    const ImVec2 tile(from.x + Scaled(12), from.y + Scaled(12));
    drawList->AddRectFilled(tile, ImVec2(tile.x + Scaled(32), tile.y + Scaled(32)), ColSurfaceHover,
                            Scaled(8));
    DrawIcon(drawList, ImVec2(tile.x + Scaled(16), tile.y + Scaled(16)), Scaled(15), kIconShield,
             status, 1.4f);
    PutText(drawList, FontSemibold, Scaled(12), ImVec2(tile.x + Scaled(42), tile.y + Scaled(1)),
            ColText, "LOCAL SESSION");
    PutLabel(drawList, ImVec2(tile.x + Scaled(42), tile.y + Scaled(18)), ColTextMuted,
             elevated ? "ADMINISTRATOR" : "NOT ELEVATED");
    drawList->AddCircleFilled(ImVec2(to.x - Scaled(13), from.y + Scaled(31)), Scaled(3.5f), status,
                              12);
}

void DrawFooter(ImDrawList* drawList, ImVec2 origin, float sidebarWidth, float height) {
    const float rule = origin.y + height - Scaled(52);
    drawList->AddLine(ImVec2(origin.x + Scaled(22), rule),
                      ImVec2(origin.x + sidebarWidth - Scaled(22), rule), ColBorder, 1.0f);
    const float y = origin.y + height - Scaled(36);
    PutLabel(drawList, ImVec2(origin.x + Scaled(22), y), ColTextMuted, "V2.0.0 / NATIVE");
    PutLabelRightAligned(drawList, origin.x + sidebarWidth - Scaled(22), y, ColSuccess, "READY");
}

}  // namespace

float CpuFraction(float cpuPercent) {
    return std::clamp(cpuPercent / 100.0f, 0.0f, 1.0f);
}

float UsedFraction(unsigned long long used, unsigned long long total) {
    if (total == 0)
        return 0.0f;
    return std::clamp(static_cast<float>(static_cast<double>(used) / static_cast<double>(total)),
                      0.0f, 1.0f);
}

bool NavItem(const char* label, int icon, bool active, float width) {
    const ImVec2 p = ImGui::GetCursorScreenPos();
    const float height = Scaled(38);
    ImGui::InvisibleButton(label, ImVec2(width, height));
    const bool clicked = ImGui::IsItemClicked(ImGuiMouseButton_Left);
    const bool hovered = ImGui::IsItemHovered();
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImVec2 end(p.x + width, p.y + height);
    ImU32 textColour = ColTextMuted;
    if (active) {
        drawList->AddRectFilled(p, end, ColSurface, Scaled(8));
        drawList->AddRectFilled(ImVec2(p.x + Scaled(1), p.y + Scaled(10)),
                                ImVec2(p.x + Scaled(3), end.y - Scaled(10)), ColAccent, Scaled(1));
        textColour = ColText;
    } else if (hovered) {
        drawList->AddRectFilled(p, end, Rgba(0x1210178C), Scaled(8));
        textColour = ColTextSecondary;
    }
    DrawIcon(drawList, ImVec2(p.x + Scaled(20), p.y + height / 2), Scaled(15), icon,
             active ? ColAccent : textColour, 1.3f);
    PutText(drawList, FontSemibold, Scaled(12.5f),
            ImVec2(p.x + Scaled(38), p.y + (height - Scaled(12.5f)) / 2), textColour, label);
    return clicked;
}

void DrawSidebar(ShellState& shell, float height) {
    const float sidebarWidth = Scaled(236);
    ImGui::SetCursorScreenPos(ImVec2(0, 0));
    ImGui::PushStyleColor(ImGuiCol_ChildBg, ColPanel);
    ImGui::BeginChild("##sidebar", ImVec2(sidebarWidth, height), ImGuiChildFlags_None,
                      ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const ImVec2 origin = ImGui::GetWindowPos();
    DrawBrand(drawList, origin);
    drawList->AddLine(ImVec2(origin.x + Scaled(22), origin.y + Scaled(74)),
                      ImVec2(origin.x + sidebarWidth - Scaled(22), origin.y + Scaled(74)),
                      ColBorder, 1.0f);
    PutLabel(drawList, ImVec2(origin.x + Scaled(22), origin.y + Scaled(94)), ColTextMuted,
             "WORKSPACE");
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, Scaled(3)));
    for (int page = 0; page < static_cast<int>(kPageTable.size()); ++page) {
        // Each item placed itself: a new line would start at the window's left edge.
        ImGui::SetCursorScreenPos(ImVec2(
            origin.x + Scaled(14), origin.y + Scaled(112) + Scaled(41) * static_cast<float>(page)));
        ImGui::PushID(page);
        const PageEntry& entry = kPageTable[static_cast<std::size_t>(page)];
        if (NavItem(entry.title, entry.icon, shell.CurrentPage == page, sidebarWidth - Scaled(28)))
            shell.CurrentPage = page;
        ImGui::PopID();
    }
    ImGui::PopStyleVar(1);
    if (height > Scaled(660))
        DrawLoadCard(drawList, origin, sidebarWidth);
    if (height > Scaled(500))
        DrawSessionCard(drawList, origin, sidebarWidth, height);
    DrawFooter(drawList, origin, sidebarWidth, height);
    ImGui::EndChild();
    ImGui::PopStyleColor(1);
}
