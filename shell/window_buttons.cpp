#include "shell/window_buttons.h"

#include <imgui.h>

#include "platform/window.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

void CloseWindow(ShellState&) {
    platform::WindowPostQuit(0);
}

void MinimizeWindow(ShellState& shell) {
    platform::WindowMinimize(shell.window);
}

}  // namespace

void DrawWindowButtons(ShellState& shell, float width) {
    struct WindowButton {
        const char* id;
        float rightOffset;
        ImU32 hoverFill;
        int icon;
        ImU32 hoveredColour;
        void (*action)(ShellState&);
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
            button.action(shell);
    }
}

void ToggleMaximize(ShellState& shell) {
    if (shell.WindowMaximized) {
        // Through the placement itself: its normal position is in workspace coordinates, which
        // a screen rectangle would misplace by the task bar's size when it is at the left or
        // the top. The flag stays set on failure, so the saved placement is not lost.
        if (platform::WindowSetPlacement(shell.window, shell.SavedPlacement).Ok())
            shell.WindowMaximized = false;
        return;
    }
    platform::WindowPlacement placement;
    platform::WindowRect workArea;
    if (!platform::WindowGetPlacement(shell.window, placement).Ok() ||
        !platform::WindowMonitorWorkArea(shell.window, workArea).Ok() ||
        !platform::WindowSetRect(shell.window, workArea).Ok()) {
        return;
    }
    shell.SavedPlacement = placement;
    shell.WindowMaximized = true;
}
