// Every page in whole frames at a tall and a short window and two UI scales: no Dear ImGui
// assertion trips (they fail the test), and every push is popped within the frame.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include "platform/sim/sim.h"
#include "state/session_log.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"
#include "sysinfo/snapshot.h"
#include "shell/frame.h"
#include "support/records.h"
#include "shell/page_table.h"
#include "ui/shell_state.h"

namespace {

struct Window {
    float height;
    float scale;
};

class EveryPageTest : public SimTest, public ::testing::WithParamInterface<Window> {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        TestState() = AppState{};
        TakeMachineSnapshot();
        for (int i = 0; i < 40; ++i)
            LogAction(TestState(), "applied  Menu delays", static_cast<LogKind>(i % 5));
    }
    void TearDown() override {
        TestState() = AppState{};
        TestShell().CurrentPage = 0;
    }
};

TEST_P(EveryPageTest, DrawsFor120FramesWithBalancedStacks) {
    HeadlessImGui imgui(ImVec2(1120, GetParam().height), GetParam().scale);
    const ImGuiContext& context = *ImGui::GetCurrentContext();
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(PageTitles[page]);
        TestShell().CurrentPage = page;
        for (int frame = 0; frame < 120; ++frame) {
            // The pointer wanders over the page so that hover paths run too.
            HeadlessImGui::MoveMouse(ImVec2(static_cast<float>(240 + (frame * 37) % 860),
                                            static_cast<float>((frame * 53) % 700)));
            HeadlessImGui::Frame([&] {
                const int colours = context.ColorStack.Size;
                const int styles = context.StyleVarStack.Size;
                const int fonts = context.FontStack.Size;
                const int windows = context.CurrentWindowStack.Size;
                DrawFrame(TestState(), TestShell());
                EXPECT_EQ(context.ColorStack.Size, colours);
                EXPECT_EQ(context.StyleVarStack.Size, styles);
                EXPECT_EQ(context.FontStack.Size, fonts);
                EXPECT_EQ(context.CurrentWindowStack.Size, windows);
            });
            if (HasFailure())
                return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TallAndShortWindows, EveryPageTest,
                         ::testing::Values(Window{720, 1.0f}, Window{500, 1.0f}, Window{720, 1.5f},
                                           Window{500, 1.5f}));

}  // namespace
