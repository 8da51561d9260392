// A Dear ImGui context with no renderer for tests that build real frames: the built-in font
// stands in for the four interface fonts, the theme is applied at the UI scale given, and
// input goes through ImGui's own queue.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <string_view>

#include "ui/fonts.h"
#include "ui/scale.h"
#include "ui/theme.h"

class HeadlessImGui {
  public:
    HeadlessImGui(ImVec2 displaySize, float uiScale) {
        UiScale = uiScale;
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = displaySize;
        io.DeltaTime = 1.0f / 60;
        // The atlas grows on demand and its textures are never uploaded.
        io.BackendFlags |= ImGuiBackendFlags_RendererHasTextures;
        ImFont* font = io.Fonts->AddFontDefault();
        FontBody = FontSemibold = FontLabel = FontDisplay = font;
        ApplyTheme();
    }
    ~HeadlessImGui() {
        ImGui::DestroyContext();
        FontBody = FontSemibold = FontLabel = FontDisplay = nullptr;
        UiScale = 1.0f;
    }
    HeadlessImGui(const HeadlessImGui&) = delete;
    HeadlessImGui& operator=(const HeadlessImGui&) = delete;

    // One whole frame around `draw`.
    template <typename Draw>
    static void Frame(Draw draw) {
        ImGui::NewFrame();
        draw();
        ImGui::Render();
    }

    // Over the point, then a press and a release, each in a frame of `draw`'s own.
    template <typename Draw>
    static void Click(ImVec2 at, Draw draw) {
        MoveMouse(at);
        Frame(draw);
        Press();
        Frame(draw);
        Release();
        Frame(draw);
    }

    static void MoveMouse(ImVec2 position) {
        ImGui::GetIO().AddMousePosEvent(position.x, position.y);
    }
    static void Press() { ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, true); }
    static void Release() { ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, false); }

    // The window whose own name, after its parents' ("##root/##body_1A2B3C4D"), is `name`.
    static ImGuiWindow* WindowNamed(std::string_view name) {
        for (ImGuiWindow* window : ImGui::GetCurrentContext()->Windows) {
            std::string_view full(window->Name);
            const std::size_t slash = full.rfind('/');
            std::string_view own = slash == std::string_view::npos ? full : full.substr(slash + 1);
            if (own.starts_with(name) && (own.size() == name.size() || own[name.size()] == '_')) {
                return window;
            }
        }
        return nullptr;
    }

    // Whether any vertex of `list` has exactly this colour.
    static bool HasColour(const ImDrawList* list, ImU32 colour) {
        for (const ImDrawVert& vertex : list->VtxBuffer) {
            if (vertex.col == colour)
                return true;
        }
        return false;
    }
    // The bounding box of the vertices of `list` that have this colour; empty when none has.
    static ImRect ColourBox(const ImDrawList* list, ImU32 colour) {
        ImRect box(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX);
        for (const ImDrawVert& vertex : list->VtxBuffer) {
            if (vertex.col == colour)
                box.Add(vertex.pos);
        }
        return box;
    }
    static const ImDrawList* Foreground() {
        return ImGui::GetForegroundDrawList(ImGui::GetMainViewport());
    }
};
