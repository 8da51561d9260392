// Pages drawn by the real frame in headless Dear ImGui frames over the simulated platform,
// with what a user would see read back from the body's draw lists.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <vector>

#include "actions/timer_holder.h"
#include "state/app_state.h"
#include "support/headless_imgui.h"
#include "support/records.h"
#include "support/sim_fixture.h"
#include "shell/frame.h"
#include "ui/shell_state.h"
#include "ui/widgets.h"

// The box of the vertices of exactly `colour` that lie within `region`; inverted when none
// does.
inline ImRect ColourBoxIn(const ImDrawList* list, ImU32 colour, ImRect region) {
    region.Expand(0.5f);
    ImRect box(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX);
    for (const ImDrawVert& vertex : list->VtxBuffer) {
        if (vertex.col == colour && region.Contains(vertex.pos))
            box.Add(vertex.pos);
    }
    return box;
}

// The same for an anti-aliased fill, whose solid vertices lie half a pixel inside its edges.
inline ImRect FillBoxIn(const ImDrawList* list, ImU32 colour, ImRect region) {
    ImRect box = ColourBoxIn(list, colour, region);
    if (!box.IsInverted())
        box.Expand(0.5f);
    return box;
}

class PageTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        TestState() = AppState{};
        TestShell().CurrentPage = 0;
    }
    void TearDown() override {
        // A profile may have started the timer-resolution holder.
        if (TimerHolderRunning.load())
            StopTimerHolder();
        TestState() = AppState{};
        TestShell().CurrentPage = 0;
    }

    static void DrawTestFrame() { DrawFrame(TestState(), TestShell()); }
    static void DrawFrames(int count) {
        for (int i = 0; i < count; ++i)
            HeadlessImGui::Frame(DrawTestFrame);
    }
    // A press and a release over `at`, each in a frame of its own.
    static void Click(ImVec2 at) { HeadlessImGui::Click(at, DrawTestFrame); }
    static ImGuiWindow* Window(const char* name) {
        ImGuiWindow* window = HeadlessImGui::WindowNamed(name);
        EXPECT_NE(window, nullptr) << name;
        return window;
    }
    // Where the page's cursor starts: inside the body's padding, the body not scrolled.
    static ImVec2 PageOrigin() {
        const ImGuiWindow* body = HeadlessImGui::WindowNamed("##body");
        return ImVec2(body->Pos.x + Scaled(28) - body->Scroll.x,
                      body->Pos.y + Scaled(22) - body->Scroll.y);
    }
    // The width the frame hands to the page.
    static float PageWidth() { return ImGui::GetIO().DisplaySize.x - Scaled(236) - Scaled(56); }
    static std::vector<std::string> Log() { return LogMessages(); }
};
