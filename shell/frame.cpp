#include "shell/frame.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "engine/operations.h"
#include "platform/window.h"
#include "shell/page_table.h"
#include "shell/sidebar.h"
#include "shell/toast.h"
#include "shell/window_buttons.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

// The page's text of one column of the page table; empty for an index outside it.
const char* PageText(const std::array<const char*, kPageTable.size()>& column, int page) {
    const PageEntry* entry = PageAt(page);
    return entry != nullptr ? column[static_cast<std::size_t>(page)] : "";
}

constexpr ImGuiWindowFlags kFixedWindowFlags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;

// A press inside the strip followed by a drag hands the window to the system's move loop.
// The sidebar and the main area lie over the strip and take the hover, so the press is
// tested against the strip's own rectangle.
void DrawDragStrip(const ShellState& shell, float width) {
    const ImVec2 stripSize(std::max(width - Scaled(120), 1.0f), Scaled(44));
    ImGui::SetCursorScreenPos(ImVec2(0, 0));
    ImGui::InvisibleButton("##drag", stripSize);
    ImGuiIO& io = ImGui::GetIO();
    const ImVec2 pressedAt = io.MouseClickedPos[ImGuiMouseButton_Left];
    const bool pressedInStrip = pressedAt.x >= 0 && pressedAt.x < stripSize.x && pressedAt.y >= 0 &&
                                pressedAt.y < stripSize.y;
    if (pressedInStrip && ImGui::IsMouseDragging(ImGuiMouseButton_Left)) {
        platform::WindowStartMove(shell.window);
        // The move loop swallows the button's release; without it ImGui would go on
        // dragging.
        io.AddMouseButtonEvent(ImGuiMouseButton_Left, false);
    }
}

void DrawHeader(const AppState& state, int currentPage, ImDrawList* drawList, float x0) {
    const float y = Scaled(24);
    PutLabel(drawList, ImVec2(x0, y), ColTextMuted, "WORKSPACE");
    const float x1 = x0 + TextSize(FontLabel, Scaled(9), "WORKSPACE").x + Scaled(10);
    PutLabel(drawList, ImVec2(x1, y), ColTextMuted, "/");
    PutLabel(drawList, ImVec2(x1 + Scaled(10), y), ColTextSecondary, PageBreadcrumb(currentPage));
    PutText(drawList, FontDisplay, Scaled(26), ImVec2(x0, Scaled(48)), ColText,
            PageText(PageTitles, currentPage));
    PutLabel(drawList, ImVec2(x0, Scaled(87)), ColTextMuted,
             PageCaption(currentPage, AppliedCount(state)));
}

void DrawRestorePointArea(AppState& state, ImDrawList* drawList, float width) {
    const ImVec2 button(width - Scaled(28) - Scaled(150), Scaled(56));
    if (RestorePointInProgress()) {
        PutLabelRightAligned(drawList, width - Scaled(28), Scaled(66), ColTextSecondary,
                             "RESTORE POINT...");
    } else {
        ImGui::SetCursorScreenPos(button);
        if (StyledButton("RESTORE POINT", ColText, ColSurface, ColSurfaceHover,
                         ImVec2(Scaled(150), Scaled(30)))) {
            RequestRestorePoint(state);
        }
    }
    if (state.RestorePointCreated) {
        const float badgeWidth = Scaled(14) + TextSize(FontSemibold, Scaled(9.5f), "POINT OK").x;
        static_cast<void>(DrawBadge(ImVec2(button.x - Scaled(10) - badgeWidth, Scaled(61)),
                                    "POINT OK", ColSuccess, Rgba(0x37E08B12)));
    }
}

void DrawBody(AppState& state, ShellState& shell, float mainLeft, float width, float height) {
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(Scaled(28), Scaled(22)));
    ImGui::SetCursorScreenPos(ImVec2(mainLeft, Scaled(117)));
    ImGui::BeginChild("##body", ImVec2(width - mainLeft, height - Scaled(149)),
                      ImGuiChildFlags_AlwaysUseWindowPadding, ImGuiWindowFlags_None);
    if (const PageEntry* page = PageAt(shell.CurrentPage))
        page->draw(state, shell, width - mainLeft - Scaled(56));
    ImGui::EndChild();
    ImGui::PopStyleVar(1);
}

void DrawStatusBar(ImDrawList* drawList, float mainLeft, float width, float height) {
    drawList->AddCircleFilled(ImVec2(mainLeft + Scaled(32), height - Scaled(16)), Scaled(3),
                              ColSuccess, 12);
    PutLabel(drawList, ImVec2(mainLeft + Scaled(42), height - Scaled(20)), ColTextMuted, "READY");
    PutLabelRightAligned(drawList, width - Scaled(28), height - Scaled(20), ColTextMuted,
                         "V2.0.0 / WINDOWS 11");
}

void DrawMainArea(AppState& state, ShellState& shell, float width, float height) {
    const float mainLeft = Scaled(236);
    ImGui::SetCursorScreenPos(ImVec2(mainLeft, 0));
    ImGui::BeginChild("##main", ImVec2(width - mainLeft, height), ImGuiChildFlags_None,
                      ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    DrawHeader(state, shell.CurrentPage, drawList, mainLeft + Scaled(28));
    DrawRestorePointArea(state, drawList, width);
    drawList->AddLine(ImVec2(mainLeft, Scaled(116)), ImVec2(width, Scaled(116)), ColBorder, 1);
    drawList->AddRectFilled(ImVec2(mainLeft, Scaled(117)), ImVec2(width, height - Scaled(32)),
                            ColCanvas);
    drawList->AddLine(ImVec2(mainLeft, height - Scaled(32)), ImVec2(width, height - Scaled(32)),
                      ColBorder, 1);
    DrawBody(state, shell, mainLeft, width, height);
    DrawStatusBar(drawList, mainLeft, width, height);
    ImGui::EndChild();
}

void DrawChrome(ShellState& shell, float width) {
    ImGui::SetNextWindowPos(ImVec2(width - Scaled(120), 0), ImGuiCond_Always, ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(Scaled(120), Scaled(48)));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::Begin("##chrome", nullptr,
                 kFixedWindowFlags | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNavFocus);
    DrawWindowButtons(shell, width);
    ImGui::End();
    ImGui::PopStyleVar(1);
}

}  // namespace

std::string PageBreadcrumb(int page) {
    std::string breadcrumb = PageText(PageTitles, page);
    for (char& c : breadcrumb)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return breadcrumb;
}

std::string PageCaption(int page, std::uint32_t activeTweaks) {
    char caption[160];
    std::snprintf(caption, sizeof caption, "%s   /   %u ACTIVE TWEAKS",
                  PageText(PageCaptions, page), activeTweaks);
    return caption;
}

void DrawGlow(ImDrawList* drawList, ImVec2 center, float radius, ImU32 colour, int rings) {
    rings = std::max(rings, 1);
    for (int i = 0; i < rings; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rings);
        const auto alpha = static_cast<ImU32>((0.009f + 0.009f * t) * 255.0f + 0.5f);
        drawList->AddCircleFilled(center, (1.0f - 0.82f * t) * radius, WithAlpha(colour, alpha),
                                  64);
    }
}

void DrawBackdrop(ImDrawList* drawList, ImVec2 size) {
    drawList->AddRectFilled(ImVec2(0, 0), size, ColCanvas);
    DrawGlow(drawList, ImVec2(0.88f * size.x, -0.22f * size.y), 0.62f * size.y, Rgba(0xF5A5248C),
             10);
    const ImU32 fadedAccent = Rgba(0xF5A52400);
    drawList->AddRectFilledMultiColor(ImVec2(0, 0), ImVec2(0.45f * size.x, Scaled(1)),
                                      Rgba(0xF5A5248C), fadedAccent, fadedAccent, fadedAccent);
}

void DrawFrame(AppState& state, ShellState& shell) {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(0, 0), ImGuiCond_Always, ImVec2(0, 0));
    ImGui::SetNextWindowSize(size);
    // The backdrop covers the whole window, so a background of its own would only cost the
    // renderer a fill of the display.
    ImGui::Begin("##root", nullptr,
                 kFixedWindowFlags | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoNavFocus);
    DrawBackdrop(ImGui::GetWindowDrawList(), size);
    DrawDragStrip(shell, size.x);
    DrawSidebar(shell, size.y);
    DrawMainArea(state, shell, size.x, size.y);
    DrawChrome(shell, size.x);
    DrawToast(state, size.x, size.y);
    ImGui::End();
}
