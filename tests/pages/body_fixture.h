// A page drawn on its own, as the frame draws it: inside a padded, scrolling "##body" child
// window, in headless Dear ImGui frames over a fresh simulated machine and a fresh
// process-wide AppState. The body sits away from the display's corner so that every
// position the page takes from its origin shows.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "state/app_state.h"
#include "support/drawn_text.h"
#include "support/records.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"
#include "ui/palette.h"

class BodyTest : public SimTest {
  protected:
    struct Layout {
        ImVec2 display;
        ImVec2 bodyPosition;
        ImVec2 bodySize;
        float scale;
    };
    // The body where the frame puts it, tall enough for the whole catalog in one list.
    static Layout ScaledLayout(float scale) {
        return {ImVec2(1120 * scale, 2400 * scale), ImVec2(236 * scale, 117 * scale),
                ImVec2(884 * scale, 2250 * scale), scale};
    }
    explicit BodyTest(Layout layout = ScaledLayout(1))
        : bodyLayout(layout), imgui(layout.display, layout.scale) {}

    void SetUp() override {
        SimTest::SetUp();
        TestState() = AppState{};
    }
    void TearDown() override { TestState() = AppState{}; }
    // For each row of a table: a fresh machine and state, as at the start of a test.
    void Fresh() {
        SimTest::SetUp();
        TestState() = AppState{};
    }

    float S(float value) const { return value * bodyLayout.scale; }
    // The top-left corner of the page: the body's corner inside its padding.
    ImVec2 Origin() const {
        return ImVec2(bodyLayout.bodyPosition.x + S(28), bodyLayout.bodyPosition.y + S(22));
    }
    float PageWidth() const { return bodyLayout.bodySize.x - S(56); }
    ImVec2 At(float x, float y) const { return ImVec2(Origin().x + S(x), Origin().y + S(y)); }

    template <typename Page>
    void DrawPage(Page page) const {
        HeadlessImGui::Frame([&] {
            ImGui::SetNextWindowPos(ImVec2(0, 0));
            ImGui::SetNextWindowSize(bodyLayout.display);
            ImGui::Begin("##root", nullptr, ImGuiWindowFlags_NoDecoration);
            ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(S(28), S(22)));
            ImGui::SetCursorScreenPos(bodyLayout.bodyPosition);
            ImGui::BeginChild("##body", bodyLayout.bodySize, ImGuiChildFlags_AlwaysUseWindowPadding,
                              ImGuiWindowFlags_None);
            if constexpr (std::is_invocable_v<Page, float>) {
                page(PageWidth());
            } else {
                page(TestState(), TestShell(), PageWidth());
            }
            ImGui::EndChild();
            ImGui::PopStyleVar(1);
            ImGui::End();
        });
    }
    // Moves there, then presses and releases over two more frames: buttons fire on the release.
    template <typename Page>
    void Click(Page page, ImVec2 at) const {
        HeadlessImGui::MoveMouse(at);
        DrawPage(page);
        HeadlessImGui::Press();
        DrawPage(page);
        HeadlessImGui::Release();
        DrawPage(page);
    }

    // Section headers: accent texts at the list's left edge (risk badges share the colour).
    std::vector<std::string> HeadersIn(const char* window) const {
        std::vector<std::string> headers;
        const ImGuiWindow* list = HeadlessImGui::WindowNamed(window);
        if (list == nullptr)
            return headers;
        for (const DrawnText& text : DrawnTexts(list->DrawList)) {
            if (text.colour == ColAccent && std::fabs(text.position.x - (list->Pos.x + S(2))) < 1)
                headers.push_back(text.text);
        }
        return headers;
    }
    static const ImDrawList* DrawListOf(const char* window) {
        const ImGuiWindow* found = HeadlessImGui::WindowNamed(window);
        return found != nullptr ? found->DrawList : nullptr;
    }
    static std::vector<std::string> Log() { return LogMessages(); }
    static std::vector<std::u16string> Commands() { return CommandLines(); }

    Layout bodyLayout;
    HeadlessImGui imgui;
};
