#include "ui/frame.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "actions/restore_point.h"
#include "engine/operations.h"
#include "pages/pages.h"
#include "platform/clock.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "ui/shell_state.h"
#include "ui/sidebar.h"
#include "ui/widgets.h"

namespace {

constexpr ImGuiWindowFlags kFixedWindowFlags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;

void (*const kPageFunctions[])(float) = {DrawDashboardPage, DrawTweaksPage,   DrawNetworkPage,
                                         DrawDebloatPage,   DrawProfilesPage, DrawSessionPage};

bool IsPageIndex(int page) {
    return page >= 0 && page < static_cast<int>(PageTitles.size());
}

// A press inside the strip followed by a drag hands the window to the system's move loop.
// The sidebar and the main area lie over the strip and take the hover, so the press is
// tested against the strip's own rectangle.
void DrawDragStrip(float width) {
    const ImVec2 stripSize(std::max(width - Scaled(120), 1.0f), Scaled(44));
    ImGui::SetCursorScreenPos(ImVec2(0, 0));
    ImGui::InvisibleButton("##drag", stripSize);
    ImGuiIO& io = ImGui::GetIO();
    const ImVec2 pressedAt = io.MouseClickedPos[ImGuiMouseButton_Left];
    const bool pressedInStrip = pressedAt.x >= 0 && pressedAt.x < stripSize.x && pressedAt.y >= 0 &&
                                pressedAt.y < stripSize.y;
    if (pressedInStrip && ImGui::IsMouseDragging(ImGuiMouseButton_Left)) {
        platform::WindowStartMove(MainWindow);
        // The move loop swallows the button's release; without it ImGui would go on
        // dragging.
        io.AddMouseButtonEvent(ImGuiMouseButton_Left, false);
    }
}

void DrawHeader(const AppState& state, ImDrawList* drawList, float x0) {
    const float y = Scaled(24);
    PutLabel(drawList, ImVec2(x0, y), ColTextMuted, "WORKSPACE");
    const float x1 = x0 + TextSize(FontLabel, Scaled(9), "WORKSPACE").x + Scaled(10);
    PutLabel(drawList, ImVec2(x1, y), ColTextMuted, "/");
    PutLabel(drawList, ImVec2(x1 + Scaled(10), y), ColTextSecondary, PageBreadcrumb(CurrentPage));
    PutText(drawList, FontDisplay, Scaled(26), ImVec2(x0, Scaled(48)), ColText,
            IsPageIndex(CurrentPage) ? PageTitles[CurrentPage] : "");
    PutLabel(drawList, ImVec2(x0, Scaled(87)), ColTextMuted,
             PageCaption(CurrentPage, AppliedCount(state)));
}

void DrawRestorePointArea(AppState& state, ImDrawList* drawList, float width) {
    const ImVec2 button(width - Scaled(28) - Scaled(150), Scaled(56));
    if (RestorePointBusy.load()) {
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

void DrawBody(float mainLeft, float width, float height) {
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(Scaled(28), Scaled(22)));
    ImGui::SetCursorScreenPos(ImVec2(mainLeft, Scaled(117)));
    ImGui::BeginChild("##body", ImVec2(width - mainLeft, height - Scaled(149)),
                      ImGuiChildFlags_AlwaysUseWindowPadding, ImGuiWindowFlags_None);
    if (IsPageIndex(CurrentPage))
        kPageFunctions[CurrentPage](width - mainLeft - Scaled(56));
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

void DrawMainArea(AppState& state, float width, float height) {
    const float mainLeft = Scaled(236);
    ImGui::SetCursorScreenPos(ImVec2(mainLeft, 0));
    ImGui::BeginChild("##main", ImVec2(width - mainLeft, height), ImGuiChildFlags_None,
                      ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    DrawHeader(state, drawList, mainLeft + Scaled(28));
    DrawRestorePointArea(state, drawList, width);
    drawList->AddLine(ImVec2(mainLeft, Scaled(116)), ImVec2(width, Scaled(116)), ColBorder, 1);
    drawList->AddRectFilled(ImVec2(mainLeft, Scaled(117)), ImVec2(width, height - Scaled(32)),
                            ColCanvas);
    drawList->AddLine(ImVec2(mainLeft, height - Scaled(32)), ImVec2(width, height - Scaled(32)),
                      ColBorder, 1);
    DrawBody(mainLeft, width, height);
    DrawStatusBar(drawList, mainLeft, width, height);
    ImGui::EndChild();
}

void DrawChrome(float width) {
    ImGui::SetNextWindowPos(ImVec2(width - Scaled(120), 0), ImGuiCond_Always, ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(Scaled(120), Scaled(48)));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::Begin("##chrome", nullptr,
                 kFixedWindowFlags | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNavFocus);
    DrawWindowButtons(width);
    ImGui::End();
    ImGui::PopStyleVar(1);
}

void CloseWindow() {
    platform::WindowPostQuit(0);
}

void MinimizeWindow() {
    platform::WindowMinimize(MainWindow);
}

}  // namespace

std::string PageBreadcrumb(int page) {
    std::string breadcrumb = IsPageIndex(page) ? PageTitles[page] : "";
    for (char& c : breadcrumb)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return breadcrumb;
}

std::string PageCaption(int page, std::uint32_t activeTweaks) {
    char caption[160];
    std::snprintf(caption, sizeof caption, "%s   /   %u ACTIVE TWEAKS",
                  IsPageIndex(page) ? PageCaptions[page] : "", activeTweaks);
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

void DrawWindowButtons(float width) {
    struct WindowButton {
        const char* id;
        float rightOffset;
        ImU32 hoverFill;
        int icon;
        ImU32 hoveredColour;
        void (*action)();
    };
    const WindowButton buttons[] = {
        {"##close", 40, Rgba(0xFF5C5C14), kIconClose, ColDanger, CloseWindow},
        {"##max", 70, Rgba(0x1A1722E6), kIconMaximize, ColText, ToggleMaximize},
        {"##min", 100, Rgba(0x1A1722E6), kIconMinimize, ColText, MinimizeWindow},
    };
    ImDrawList* drawList = ImGui::GetForegroundDrawList();
    const float top = Scaled(16);
    const float side = Scaled(28);
    for (const WindowButton& button : buttons) {
        const float x = width - Scaled(button.rightOffset);
        ImGui::SetCursorScreenPos(ImVec2(x, top));
        ImGui::InvisibleButton(button.id, ImVec2(side, side));
        const bool hovered = ImGui::IsItemHovered();
        if (hovered)
            drawList->AddRectFilled(ImVec2(x, top), ImVec2(x + side, top + side), button.hoverFill,
                                    Scaled(5));
        DrawIcon(drawList, ImVec2(x + Scaled(14), Scaled(30)), Scaled(12), button.icon,
                 hovered ? button.hoveredColour : ColTextSecondary, 1.3f);
        if (ImGui::IsItemClicked(ImGuiMouseButton_Left))
            button.action();
    }
}

void ToggleMaximize() {
    if (WindowMaximized) {
        // Through the placement itself: its normal position is in workspace coordinates, which
        // a screen rectangle would misplace by the task bar's size when it is at the left or
        // the top. The flag stays set on failure, so the saved placement is not lost.
        if (platform::WindowSetPlacement(MainWindow, SavedPlacement).ok())
            WindowMaximized = false;
        return;
    }
    platform::WindowPlacement placement;
    platform::WindowRect workArea;
    if (!platform::WindowGetPlacement(MainWindow, placement).ok() ||
        !platform::WindowMonitorWorkArea(MainWindow, workArea).ok() ||
        !platform::WindowSetRect(MainWindow, workArea).ok()) {
        return;
    }
    SavedPlacement = placement;
    WindowMaximized = true;
}

std::optional<ToastAlphas> ToastAlphasAt(std::uint64_t ageMs) {
    if (ageMs > kToastHoldMs + kToastFadeMs)
        return std::nullopt;
    const float alpha = ageMs <= kToastHoldMs ? 1.0f
                                              : 1.0f - static_cast<float>(ageMs - kToastHoldMs) /
                                                           static_cast<float>(kToastFadeMs);
    const float opacity = std::max(alpha, 0.0f) * 255.0f;
    return ToastAlphas{static_cast<int>(opacity), static_cast<int>(opacity + 0.5f)};
}

ImU32 ToastBarColour(LogKind kind) {
    switch (kind) {
        case LogKind::Error:
            return ColDanger;
        case LogKind::Success:
            return ColSuccess;
        default:
            return ColAccent;
    }
}

void DrawToast(float width, float height) {
    const AppState& state = TheAppState();
    if (state.LastTick == 0)
        return;
    const std::optional<ToastAlphas> alphas =
        ToastAlphasAt(platform::TickCountMs() - state.LastTick);
    if (!alphas)
        return;
    PushUiFont(2, 11);
    const ImVec2 textSize = ImGui::CalcTextSize(state.LastMessage.c_str(), nullptr, false, -1.0f);
    PopUiFont();
    const float boxHeight = Scaled(40);
    const ImVec2 p(width - Scaled(24) - (Scaled(44) + textSize.x), height - Scaled(80));
    const ImVec2 end(width - Scaled(24), p.y + boxHeight);
    ImDrawList* drawList = ImGui::GetForegroundDrawList();
    const float rounding = Scaled(10);
    const auto text = static_cast<ImU32>(alphas->text);
    const auto box = static_cast<ImU32>(alphas->box);
    drawList->AddRectFilled(p, end, WithAlpha(ColSurface, box), rounding);
    drawList->AddRect(p, end, WithAlpha(ColBorder, box), rounding, 0, 1.0f);
    drawList->AddRectFilled(p, ImVec2(p.x + Scaled(3), end.y),
                            WithAlpha(ToastBarColour(state.LastKind), text), Scaled(1.5f));
    PutText(drawList, FontLabel, Scaled(11),
            ImVec2(p.x + Scaled(18), p.y + (boxHeight - textSize.y) / 2), WithAlpha(ColText, text),
            state.LastMessage);
}

void DrawFrame() {
    AppState& state = TheAppState();
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(0, 0), ImGuiCond_Always, ImVec2(0, 0));
    ImGui::SetNextWindowSize(size);
    // The backdrop covers the whole window, so a background of its own would only cost the
    // renderer a fill of the display.
    ImGui::Begin("##root", nullptr,
                 kFixedWindowFlags | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoNavFocus);
    DrawBackdrop(ImGui::GetWindowDrawList(), size);
    DrawDragStrip(size.x);
    DrawSidebar(size.y);
    DrawMainArea(state, size.x, size.y);
    DrawChrome(size.x);
    DrawToast(size.x, size.y);
    ImGui::End();
}
