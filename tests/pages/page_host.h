// A page drawn in headless Dear ImGui frames inside a window placed and padded like the
// frame's body, over the simulated machine, with the process-wide records reset around
// each test.
#pragma once

#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <vector>

#include "pages/page_fixture.h"
#include "platform/sim/sim.h"
#include "state/app_state.h"
#include "support/drawn_text.h"
#include "support/records.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"
#include "pages/pages.h"
#include "ui/shell_state.h"

class PageHost {
  public:
    PageHost(ImVec2 display, float scale, PageFunction page)
        : imgui_(display, scale), display_(display), scale_(scale), page_(page) {}

    float S(float value) const { return value * scale_; }
    // Where the page starts drawing, and the width it is given.
    ImVec2 Origin() const { return ImVec2(S(236) + S(28), S(117) + S(22)); }
    float Width() const { return display_.x - S(236) - S(56); }

    void Frames(int count) const {
        for (int i = 0; i < count; ++i) {
            HeadlessImGui::Frame([&] {
                ImGui::SetNextWindowPos(ImVec2(S(236), S(117)));
                ImGui::SetNextWindowSize(ImVec2(display_.x - S(236), display_.y - S(149)));
                ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(S(28), S(22)));
                ImGui::Begin("##body", nullptr, ImGuiWindowFlags_NoDecoration);
                ImGui::PopStyleVar(1);
                page_(TestState(), TestShell(), Width());
                ImGui::End();
            });
        }
    }
    // Over the point, down and up, a frame each, then one more so that what the click
    // changed is drawn. The page is drawn once first: ImGui finds what the mouse is over
    // among the windows of the frame before.
    void Click(ImVec2 at) const {
        Frames(1);
        HeadlessImGui::MoveMouse(at);
        Frames(1);
        HeadlessImGui::Press();
        Frames(1);
        HeadlessImGui::Release();
        Frames(2);
    }
    static const ImDrawList* Body() { return HeadlessImGui::WindowNamed("##body")->DrawList; }

  private:
    HeadlessImGui imgui_;
    ImVec2 display_;
    float scale_;
    PageFunction page_;
};

// The shared records every page reads, fresh for each test.
class HostedPageTest : public PageTest {
  protected:
    static AppState& State() { return TestState(); }
    static std::vector<std::u16string> Commands() { return CommandLines(); }
};
