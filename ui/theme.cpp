#include "ui/theme.h"

#include <imgui.h>

#include "ui/palette.h"
#include "ui/scale.h"

namespace {

ImVec4 Float(ImU32 packed) {
    return ImGui::ColorConvertU32ToFloat4(packed);
}

}  // namespace

void ApplyTheme() {
    ImGuiStyle& style = ImGui::GetStyle();
    const float s = UiScale;
    style.WindowPadding = ImVec2(0, 0);
    style.WindowRounding = 0;
    style.WindowBorderSize = 0;
    style.WindowTitleAlign = ImVec2(0, 0.5f);
    style.ChildRounding = 0;
    style.ChildBorderSize = 0;
    style.PopupRounding = 10 * s;
    style.PopupBorderSize = 1 * s;
    style.FramePadding = ImVec2(12 * s, 7 * s);
    style.FrameRounding = 8 * s;
    style.FrameBorderSize = 1 * s;
    style.ItemSpacing = ImVec2(8 * s, 8 * s);
    style.ItemInnerSpacing = ImVec2(6 * s, 6 * s);
    style.CellPadding = ImVec2(8 * s, 4 * s);
    style.ScrollbarSize = 4 * s;
    style.ScrollbarRounding = 4 * s;
    style.GrabMinSize = 10 * s;
    style.GrabRounding = 8 * s;
    style.TabRounding = 7 * s;
    style.ButtonTextAlign = ImVec2(0.5f, 0.5f);
    style.SelectableTextAlign = ImVec2(0, 0.5f);

    ImVec4* colors = style.Colors;
    colors[ImGuiCol_Text] = Float(ColText);
    colors[ImGuiCol_TextDisabled] = Float(ColTextMuted);
    colors[ImGuiCol_WindowBg] = Float(Rgba(0x0B0A10FF));
    colors[ImGuiCol_ChildBg] = ImVec4(0, 0, 0, 0);
    colors[ImGuiCol_PopupBg] = Float(ColSurface);
    colors[ImGuiCol_Border] = Float(ColBorder);
    colors[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
    colors[ImGuiCol_FrameBg] = Float(ColSurface);
    colors[ImGuiCol_FrameBgHovered] = Float(ColSurfaceHover);
    colors[ImGuiCol_FrameBgActive] = Float(ColSurfaceHover);
    colors[ImGuiCol_TitleBg] = Float(ColPanel);
    colors[ImGuiCol_TitleBgActive] = Float(ColPanel);
    colors[ImGuiCol_MenuBarBg] = Float(ColPanel);
    colors[ImGuiCol_ScrollbarBg] = ImVec4(0, 0, 0, 0);
    colors[ImGuiCol_ScrollbarGrab] = ImVec4(0.96f, 0.65f, 0.14f, 0.28f);
    colors[ImGuiCol_ScrollbarGrabHovered] = ImVec4(0.96f, 0.65f, 0.14f, 0.44f);
    colors[ImGuiCol_ScrollbarGrabActive] = ImVec4(1.0f, 0.82f, 0.40f, 0.60f);
    colors[ImGuiCol_CheckMark] = Float(ColAccent);
    colors[ImGuiCol_SliderGrab] = Float(ColAccent);
    colors[ImGuiCol_SliderGrabActive] = Float(ColAccentBright);
    colors[ImGuiCol_Button] = Float(ColSurface);
    colors[ImGuiCol_Header] = Float(ColSurface);
    colors[ImGuiCol_ButtonHovered] = Float(ColSurfaceHover);
    colors[ImGuiCol_ButtonActive] = Float(ColSurfaceHover);
    colors[ImGuiCol_HeaderHovered] = Float(ColSurfaceHover);
    colors[ImGuiCol_HeaderActive] = Float(ColSurfaceHover);
    colors[ImGuiCol_Separator] = Float(ColBorder);
    colors[ImGuiCol_SeparatorHovered] = Float(ColAccent);
    colors[ImGuiCol_SeparatorActive] = Float(ColAccentBright);
    colors[ImGuiCol_ResizeGrip] = ImVec4(0, 0, 0, 0);
    colors[ImGuiCol_ResizeGripHovered] = Float(ColAccent);
    colors[ImGuiCol_ResizeGripActive] = Float(ColAccentBright);
    colors[ImGuiCol_TextSelectedBg] = Float(Rgba(0xF5A52416));
    colors[ImGuiCol_NavCursor] = Float(ColAccent);
}
