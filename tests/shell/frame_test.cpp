// The frame in headless Dear ImGui frames over the simulated platform: where its windows and
// buttons lie, what a press on them does to the window, the page and the log, the toast's
// fade and the restore-point area.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <vector>

#include "actions/restore_point.h"
#include "engine/operations.h"
#include "platform/sim/sim.h"
#include "support/drawn_text.h"
#include "support/headless_imgui.h"
#include "support/records.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"
#include "sysinfo/machine_info.h"
#include "engine/operations.h"
#include "shell/frame.h"
#include "shell/page_table.h"
#include "shell/toast.h"
#include "shell/window_buttons.h"
#include "ui/palette.h"
#include "ui/shell_state.h"

namespace {

// Resets what the frame reads from the rest of the program.
class FrameState : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        TestState() = AppState{};
        TestShell() = ShellState{};
        TestShell().window = 0x1234;
        RestorePointBusy.store(false);
        RestorePointStatus.store(RestorePointOutcome::None);
    }
    void TearDown() override {
        TestState() = AppState{};
        TestShell() = ShellState{};
    }
    static void DrawTestFrame() { DrawFrame(TestState(), TestShell()); }
    static void DrawFrames(int count) {
        for (int i = 0; i < count; ++i)
            HeadlessImGui::Frame(DrawTestFrame);
    }
    static int CallsOf(std::string_view name) {
        int count = 0;
        for (const std::string& call : sim::TheMachine().window.calls)
            count += call == name ? 1 : 0;
        return count;
    }
    static std::vector<std::string> Log() { return LogMessages(); }
};

struct Display {
    float width;
    float height;
    float scale;
};

class FrameGeometryTest : public FrameState, public ::testing::WithParamInterface<Display> {
  protected:
    float S(float value) const { return value * GetParam().scale; }
    HeadlessImGui imgui{ImVec2(GetParam().width, GetParam().height), GetParam().scale};
};

void ExpectWindowAt(const char* name, ImVec2 position, ImVec2 size) {
    SCOPED_TRACE(name);
    const ImGuiWindow* window = HeadlessImGui::WindowNamed(name);
    ASSERT_NE(window, nullptr);
    // ImGui puts windows on whole pixels.
    EXPECT_NEAR(window->Pos.x, position.x, 1.0f);
    EXPECT_NEAR(window->Pos.y, position.y, 1.0f);
    EXPECT_NEAR(window->Size.x, size.x, 1.0f);
    EXPECT_NEAR(window->Size.y, size.y, 1.0f);
}

TEST_P(FrameGeometryTest, RegionsLieWhereTheLayoutPutsThem) {
    const float w = GetParam().width;
    const float h = GetParam().height;
    DrawFrames(2);
    ExpectWindowAt("##root", ImVec2(0, 0), ImVec2(w, h));
    ExpectWindowAt("##sidebar", ImVec2(0, 0), ImVec2(S(236), h));
    ExpectWindowAt("##main", ImVec2(S(236), 0), ImVec2(w - S(236), h));
    ExpectWindowAt("##body", ImVec2(S(236), S(117)), ImVec2(w - S(236), h - S(149)));
    ExpectWindowAt("##chrome", ImVec2(w - S(120), 0), ImVec2(S(120), S(48)));
}

TEST_P(FrameGeometryTest, EachWindowButtonIsA28PixelSquare16PixelsFromTheTop) {
    const float w = GetParam().width;
    struct Button {
        float left;
        ImU32 hoverFill;
    };
    for (const Button button :
         {Button{w - S(40), Rgba(0xFF5C5C14)}, Button{w - S(70), Rgba(0x1A1722E6)},
          Button{w - S(100), Rgba(0x1A1722E6)}}) {
        SCOPED_TRACE(button.left);
        const auto hovers = [&](ImVec2 at) {
            HeadlessImGui::MoveMouse(at);
            DrawFrames(2);
            return HeadlessImGui::HasColour(HeadlessImGui::Foreground(), button.hoverFill);
        };
        const float top = S(16);
        const float side = S(28);
        EXPECT_TRUE(hovers(ImVec2(button.left + 1, top + 1)));
        EXPECT_TRUE(hovers(ImVec2(button.left + side - 1, top + side - 1)));
        EXPECT_FALSE(hovers(ImVec2(button.left - 1, top + side / 2)));
        EXPECT_FALSE(hovers(ImVec2(button.left + side / 2, top - 1)));
        EXPECT_FALSE(hovers(ImVec2(button.left + side / 2, top + side + 1)));
    }
}

TEST_P(FrameGeometryTest, NavigationItemsStack41PixelsApart14FromTheSidebarsEdge) {
    const ImU32 hoverFill = Rgba(0x1210178C);
    // Item 0 is the active page, which has a fill of its own.
    for (int item = 1; item <= 5; ++item) {
        SCOPED_TRACE(item);
        const float top = S(112) + S(41) * static_cast<float>(item);
        const auto hovers = [&](ImVec2 at) {
            HeadlessImGui::MoveMouse(at);
            DrawFrames(2);
            return HeadlessImGui::HasColour(HeadlessImGui::WindowNamed("##sidebar")->DrawList,
                                            hoverFill);
        };
        EXPECT_TRUE(hovers(ImVec2(S(14) + 1, top + 1)));
        EXPECT_TRUE(hovers(ImVec2(S(236) - S(14) - 1, top + S(38) - 1)));
        EXPECT_FALSE(hovers(ImVec2(S(14) - 1, top + S(19))));
        EXPECT_FALSE(hovers(ImVec2(S(236) - S(14) + 1, top + S(19))));
    }
}

INSTANTIATE_TEST_SUITE_P(WineClientAndRequestedSizes, FrameGeometryTest,
                         ::testing::Values(Display{1114, 714, 1.0f}, Display{1120, 720, 1.0f},
                                           Display{1114, 714, 1.25f}, Display{1120, 720, 1.25f}));

class FrameTest : public FrameState {
  protected:
    static void Click(ImVec2 at) { HeadlessImGui::Click(at, DrawTestFrame); }
    HeadlessImGui imgui{ImVec2(1120, 720), 1.0f};
};

TEST_F(FrameTest, TheWindowButtonsMinimizeMaximizeAndQuit) {
    Click(ImVec2(1020 + 14, 30));
    EXPECT_TRUE(sim::TheMachine().window.minimized);
    EXPECT_FALSE(sim::TheMachine().window.quitCode.has_value());

    Click(ImVec2(1050 + 14, 30));
    EXPECT_TRUE(TestShell().WindowMaximized);
    EXPECT_EQ(sim::TheMachine().window.rect, sim::TheMachine().window.workArea);

    Click(ImVec2(1080 + 14, 30));
    EXPECT_EQ(sim::TheMachine().window.quitCode, 0);
}

TEST_F(FrameTest, ANavigationClickShowsItsPageInTheSameFrame) {
    // The third item, "Network", 112 + 2 × 41 pixels down the sidebar.
    HeadlessImGui::MoveMouse(ImVec2(60, 112 + 2 * 41 + 19));
    DrawFrames(1);
    HeadlessImGui::Press();
    int pageDuringTheFrame = -1;
    HeadlessImGui::Frame([&] {
        DrawTestFrame();
        pageDuringTheFrame = TestShell().CurrentPage;
    });
    EXPECT_EQ(pageDuringTheFrame, 2);
    HeadlessImGui::Release();
    DrawFrames(1);
    // Pressing the active item keeps its page.
    Click(ImVec2(60, 112 + 2 * 41 + 19));
    EXPECT_EQ(TestShell().CurrentPage, 2);
}

TEST_F(FrameTest, TheHeaderNamesThePageAndCountsTheActiveTweaks) {
    EXPECT_EQ(PageCaption(0, 0), "SYSTEM STATUS   /   0 ACTIVE TWEAKS");
    EXPECT_EQ(PageBreadcrumb(5), "LOG");
    EXPECT_EQ(std::string(PageTitles[5]), "Log");
    EXPECT_TRUE(PageCaption(5, 3).starts_with("SESSION   /   3 "));
    EXPECT_EQ(PageBreadcrumb(6), "");
}

TEST_F(FrameTest, TheRestorePointButtonStartsOneRequestAndIsHiddenWhileOneRuns) {
    const ImVec2 button(1120 - 28 - 150 + 75, 56 + 15);
    // The worker cannot start here, so the outcome is known at once: a refusal.
    sim::TheMachine().threads.startError = 8;
    Click(button);
    EXPECT_EQ(Log(), std::vector<std::string>{"restore point in progress..."});
    EXPECT_FALSE(RestorePointBusy.load());

    EXPECT_EQ(TakeRestorePointResult(TestState()).refused, Refusal::Call("CreateThread", 8));
    EXPECT_EQ(Log().back(), "point denied (system protection disabled?)");

    // What the button's place shows, with the pointer over it: the button's label and its
    // hovered fill, or the busy text alone.
    const ImRect place(ImVec2(1120 - 28 - 150, 56), ImVec2(1120 - 28, 56 + 30));
    struct Shows {
        std::string label;
        std::string busyText;
        bool hoveredFill;
    };
    const auto shown = [&] {
        HeadlessImGui::MoveMouse(button);
        DrawFrames(2);
        const ImDrawList* main = HeadlessImGui::WindowNamed("##main")->DrawList;
        bool fill = false;
        for (const ImDrawVert& vertex : main->VtxBuffer)
            fill = fill || (vertex.col == ColSurfaceHover && place.Contains(vertex.pos));
        return Shows{TextDrawnIn(main, ColText, place), TextDrawnIn(main, ColTextSecondary, place),
                     fill};
    };
    const Shows idle = shown();
    EXPECT_EQ(idle.label, "RESTORE POINT");
    EXPECT_EQ(idle.busyText, "");
    EXPECT_TRUE(idle.hoveredFill);

    RestorePointBusy.store(true);
    const Shows busy = shown();
    EXPECT_EQ(busy.label, "");
    EXPECT_EQ(busy.busyText, "RESTORE POINT...");
    EXPECT_FALSE(busy.hoveredFill);
    RestorePointBusy.store(false);
}

TEST_F(FrameTest, ACreatedPointShowsItsBadgeBesideTheButton) {
    const ImU32 badgeFill = Rgba(0x37E08B12);
    DrawFrames(1);
    EXPECT_FALSE(
        HeadlessImGui::HasColour(HeadlessImGui::WindowNamed("##main")->DrawList, badgeFill));
    TestState().RestorePointCreated = true;
    DrawFrames(1);
    const ImRect badge =
        HeadlessImGui::ColourBox(HeadlessImGui::WindowNamed("##main")->DrawList, badgeFill);
    ASSERT_FALSE(badge.IsInverted());
    // 10 pixels left of the button, which starts at 1120 - 178.
    EXPECT_NEAR(badge.Max.x, 1120 - 178 - 10, 1.0f);
    EXPECT_NEAR(badge.Min.y, 61, 1.0f);
}

TEST_F(FrameTest, TheToastHoldsForThreePointThreeSecondsThenFadesOverOne) {
    EXPECT_EQ(ToastAlphasAt(0), (ToastAlphas{255, 255}));
    EXPECT_EQ(ToastAlphasAt(3300), (ToastAlphas{255, 255}));
    EXPECT_EQ(ToastAlphasAt(3800), (ToastAlphas{127, 128}));
    EXPECT_EQ(ToastAlphasAt(4300), (ToastAlphas{0, 0}));
    EXPECT_FALSE(ToastAlphasAt(4301).has_value());
}

TEST_F(FrameTest, TheToastBarTakesTheColourOfTheMessageKind) {
    AppState& state = TestState();
    DrawFrames(1);
    EXPECT_FALSE(HeadlessImGui::HasColour(HeadlessImGui::Foreground(), ColSurface));

    struct Case {
        LogKind kind;
        ImU32 bar;
    };
    for (const Case c : {Case{LogKind::Error, ColDanger}, Case{LogKind::Success, ColSuccess},
                         Case{LogKind::Info, ColAccent}, Case{LogKind::Warning, ColAccent}}) {
        state.LastMessage = "applied  Menu delays";
        state.LastKind = c.kind;
        state.LastTick = sim::TheMachine().tickMs;
        DrawFrames(1);
        const ImRect bar = HeadlessImGui::ColourBox(HeadlessImGui::Foreground(), c.bar);
        ASSERT_FALSE(bar.IsInverted()) << static_cast<int>(c.kind);
        // Bottom right, just above the status bar.
        EXPECT_NEAR(bar.Min.y, 720 - 80, 1.0f);
        EXPECT_NEAR(bar.Max.y, 720 - 40, 1.0f);
    }
    sim::TheMachine().tickMs += 4301;
    DrawFrames(1);
    EXPECT_FALSE(HeadlessImGui::HasColour(HeadlessImGui::Foreground(), ColAccent));
    EXPECT_FALSE(HeadlessImGui::HasColour(HeadlessImGui::Foreground(), ColSurface));
}

TEST_F(FrameTest, APressInTheDragStripThenADragMovesTheWindowOnce) {
    // Over the sidebar's brand block, which lies over the strip.
    HeadlessImGui::MoveMouse(ImVec2(120, 20));
    DrawFrames(1);
    HeadlessImGui::Press();
    DrawFrames(1);
    EXPECT_EQ(CallsOf("StartMove"), 0);
    for (int i = 1; i <= 11; ++i) {
        // The system's move loop swallows the release: none comes.
        HeadlessImGui::MoveMouse(ImVec2(120.0f + 10.0f * static_cast<float>(i), 20));
        DrawFrames(1);
    }
    EXPECT_EQ(CallsOf("StartMove"), 1);
}

TEST_F(FrameTest, AClickInTheStripOrADragBelowItMovesNothing) {
    Click(ImVec2(600, 20));
    HeadlessImGui::MoveMouse(ImVec2(600, 60));
    DrawFrames(1);
    HeadlessImGui::Press();
    for (int i = 1; i <= 5; ++i) {
        HeadlessImGui::MoveMouse(ImVec2(600.0f + 10.0f * static_cast<float>(i), 60));
        DrawFrames(1);
    }
    HeadlessImGui::Release();
    DrawFrames(1);
    EXPECT_EQ(CallsOf("StartMove"), 0);
}

using SidebarTest = FrameState;

TEST_F(SidebarTest, CardsAreDroppedWhenTheWindowIsTooShort) {
    struct Case {
        float scale;
        float height;
        bool glance;
        bool session;
    };
    const Case cases[] = {
        {1.0f, 661, true, true},   {1.0f, 660, false, true},   {1.0f, 501, false, true},
        {1.0f, 500, false, false}, {1.25f, 826, true, true},   {1.25f, 825, false, true},
        {1.25f, 626, false, true}, {1.25f, 625, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale << " " << c.height);
        HeadlessImGui context(ImVec2(1120, c.height), c.scale);
        DrawFrames(1);
        const ImDrawList* sidebar = HeadlessImGui::WindowNamed("##sidebar")->DrawList;
        // Only the load card's percentages are secondary text while nothing is hovered, and
        // only the session card has a tile.
        EXPECT_EQ(HeadlessImGui::HasColour(sidebar, ColTextSecondary), c.glance);
        EXPECT_EQ(HeadlessImGui::HasColour(sidebar, ColSurfaceHover), c.session);
    }
}

TEST_F(FrameTest, MaximizeThenMaximizeAgainGivesBackTheRectangleFromBefore) {
    struct Case {
        const char* name;
        platform::WindowRect workArea;
    };
    // A task bar at the top puts the placement's workspace coordinates 40 pixels off the
    // screen's.
    for (const Case& c : {Case{"task bar below", {0, 0, 1920, 1040}},
                          Case{"task bar above", {0, 40, 1920, 1080}}}) {
        SCOPED_TRACE(c.name);
        sim::Window& window = sim::TheMachine().window;
        window.workArea = c.workArea;
        const platform::WindowRect before = {300, 200, 1420, 920};
        window.rect = before;
        ToggleMaximize(TestShell());
        EXPECT_TRUE(TestShell().WindowMaximized);
        EXPECT_EQ(window.rect, c.workArea);
        // Resizing by an edge while maximized keeps the flag and the saved rectangle.
        window.rect.right -= 300;
        ToggleMaximize(TestShell());
        EXPECT_FALSE(TestShell().WindowMaximized);
        EXPECT_EQ(window.rect, before);
    }
}

TEST_F(FrameTest, AFailedQueryOrRestoreLeavesTheWindowAndTheFlagAsTheyWere) {
    sim::Window& window = sim::TheMachine().window;
    const platform::WindowRect before = window.rect;
    window.monitorError = platform::kErrorInvalidHandle;
    ToggleMaximize(TestShell());
    EXPECT_FALSE(TestShell().WindowMaximized);
    EXPECT_EQ(window.rect, before);
    EXPECT_EQ(CallsOf("SetRect"), 0);

    window.monitorError = 0;
    window.placementError = platform::kErrorInvalidHandle;
    ToggleMaximize(TestShell());
    EXPECT_FALSE(TestShell().WindowMaximized);
    EXPECT_EQ(window.rect, before);

    window.placementError = 0;
    ToggleMaximize(TestShell());
    ASSERT_TRUE(TestShell().WindowMaximized);
    // A restore that fails keeps the saved placement for the next click.
    window.placementError = platform::kErrorInvalidHandle;
    ToggleMaximize(TestShell());
    EXPECT_TRUE(TestShell().WindowMaximized);
    window.placementError = 0;
    ToggleMaximize(TestShell());
    EXPECT_FALSE(TestShell().WindowMaximized);
    EXPECT_EQ(window.rect, before);
}

}  // namespace
