// The log page in the frame's body: its list and the colours of its lines, "CLEAR" emptying
// only the in-memory list, and "OPEN LOG" handing the log file to Notepad.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <vector>

#include "pages/page_fixture.h"
#include "platform/shell.h"
#include "platform/sim/sim.h"
#include "state/session_log.h"
#include "support/drawn_text.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

constexpr ImU32 kMessageColours[] = {ColDanger, ColSuccess, ColAccent, ColTextSecondary};

class SessionPageTest : public PageTest, public ::testing::WithParamInterface<float> {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        TestShell().CurrentPage = 5;
    }
    static float S(float value) { return Scaled(value); }
    static ImVec2 OpenLogButton() {
        const ImVec2 origin = PageOrigin();
        return ImVec2(origin.x + S(75), origin.y + S(16));
    }
    static ImVec2 ClearButton() {
        const ImVec2 origin = PageOrigin();
        return ImVec2(origin.x + S(150 + 8 + 50), origin.y + S(16));
    }
    static const ImDrawList* List() { return Window("##log")->DrawList; }
    // The list shows exactly "NO ENTRIES." in the muted colour, and no message.
    static void ExpectNoEntriesShown() {
        const ImRect text = HeadlessImGui::ColourBox(List(), ColTextMuted);
        ASSERT_FALSE(text.IsInverted());
        EXPECT_NEAR(text.GetWidth(), TextSize(FontLabel, S(10), "NO ENTRIES.").x, S(6));
        for (const ImU32 colour : kMessageColours)
            EXPECT_FALSE(HeadlessImGui::HasColour(List(), colour));
    }

    HeadlessImGui imgui{ImVec2(1120, 720), GetParam()};
};

TEST_P(SessionPageTest, TheListFillsTheBodyBelowTheButtons) {
    DrawFrames(2);
    const ImVec2 origin = PageOrigin();
    const ImGuiWindow* body = Window("##body");
    const ImGuiWindow* list = Window("##log");
    EXPECT_NEAR(list->Pos.x, origin.x, 1.0f);
    EXPECT_NEAR(list->Pos.y, origin.y + S(44), 1.0f);
    EXPECT_NEAR(list->Size.x, PageWidth(), 1.0f);
    EXPECT_NEAR(list->Pos.y + list->Size.y, body->Pos.y + body->Size.y - S(2), 1.0f);
}

TEST_P(SessionPageTest, WithoutEntriesTheListSaysSo) {
    DrawFrames(1);
    ExpectNoEntriesShown();
}

TEST_P(SessionPageTest, EachMessageTakesTheColourOfItsKind) {
    struct Case {
        int kind;
        ImU32 colour;
    };
    for (const Case c :
         {Case{0, ColTextSecondary}, Case{1, ColSuccess}, Case{2, Rgba(0xF5A524FF)},
          Case{3, ColDanger}, Case{7, Rgba(0x8B8B9CFF)}, Case{-1, ColTextSecondary}}) {
        SCOPED_TRACE(c.kind);
        TestState().LogEntries = {
            LogEntry{u"12:34:56", "message", static_cast<LogKind>(c.kind), {}}};
        DrawFrames(1);
        for (const ImU32 colour : kMessageColours)
            EXPECT_EQ(HeadlessImGui::HasColour(List(), colour), colour == c.colour);
        // The time, in the muted colour, 14 pixels before the message.
        const ImRect time = HeadlessImGui::ColourBox(List(), ColTextMuted);
        const ImRect message = HeadlessImGui::ColourBox(List(), c.colour);
        EXPECT_NEAR(time.GetWidth(), TextSize(FontLabel, S(10), "12:34:56").x, S(6));
        EXPECT_NEAR(message.Min.x - time.Max.x, S(14), S(6));
    }
}

TEST_P(SessionPageTest, LinesRunOldestFirstOneBelowTheOther) {
    AppState& state = TestState();
    LogAction(state, "first", LogKind::Error);
    LogAction(state, "second", LogKind::Success);
    DrawFrames(1);
    const ImRect first = HeadlessImGui::ColourBox(List(), ColDanger);
    const ImRect second = HeadlessImGui::ColourBox(List(), ColSuccess);
    ASSERT_FALSE(first.IsInverted());
    ASSERT_FALSE(second.IsInverted());
    EXPECT_LT(first.Max.y, second.Min.y);
    EXPECT_NEAR(first.Min.x, second.Min.x, 1.0f);
}

TEST_P(SessionPageTest, AFailedLinesReasonShowsOnHoverAndOnlyThere) {
    TestState().LogEntries = {
        LogEntry{u"12:00:00", "failed  Game DVR", LogKind::Error, "RegCreateKeyExW: error 5"},
        LogEntry{u"12:00:01", "applied  Menu delays", LogKind::Success, {}}};
    DrawFrames(1);
    const auto tooltipTexts = [](ImVec2 at) {
        HeadlessImGui::MoveMouse(at);
        // The second frame draws what the first one measured and baked.
        DrawFrames(2);
        const ImGuiWindow* tooltip = HeadlessImGui::WindowNamed("##Tooltip_00");
        std::vector<std::string> texts;
        if (tooltip != nullptr && tooltip->Active) {
            for (const DrawnText& text : DrawnTexts(tooltip->DrawList))
                texts.push_back(text.text);
        }
        return texts;
    };
    const ImRect failed = HeadlessImGui::ColourBox(List(), ColDanger);
    const ImRect applied = HeadlessImGui::ColourBox(List(), ColSuccess);
    ASSERT_FALSE(failed.IsInverted());
    ASSERT_FALSE(applied.IsInverted());
    EXPECT_EQ(tooltipTexts(failed.GetCenter()),
              std::vector<std::string>{"RegCreateKeyExW: error 5"});
    EXPECT_TRUE(tooltipTexts(applied.GetCenter()).empty());
    EXPECT_TRUE(tooltipTexts(ImVec2(2, 2)).empty());
}

TEST_P(SessionPageTest, ClearEmptiesTheListInTheSameFrameAndKeepsTheToastAndTheFile) {
    AppState& state = TestState();
    LogAction(state, "applied  Menu delays", LogKind::Success);
    LogAction(state, "failed  Game Mode", LogKind::Error);
    const std::string lastMessage = state.LastMessage;
    const LogKind lastKind = state.LastKind;
    const std::uint64_t lastTick = state.LastTick;
    const std::optional<sim::Bytes> file = sim::FileContent(LogPath());
    ASSERT_TRUE(file.has_value());

    DrawFrames(1);
    HeadlessImGui::MoveMouse(ClearButton());
    DrawFrames(1);
    HeadlessImGui::Press();
    DrawFrames(1);
    EXPECT_EQ(state.LogEntries.size(), 2u);
    HeadlessImGui::Release();
    DrawFrames(1);
    EXPECT_TRUE(state.LogEntries.empty());
    // The list drawn in the frame of the click is already empty.
    ExpectNoEntriesShown();
    EXPECT_EQ(state.LastMessage, lastMessage);
    EXPECT_EQ(state.LastKind, lastKind);
    EXPECT_EQ(state.LastTick, lastTick);
    EXPECT_EQ(sim::FileContent(LogPath()), file);
    // The toast keeps showing its message.
    EXPECT_TRUE(HeadlessImGui::HasColour(HeadlessImGui::Foreground(), ColDanger));

    LogAction(state, "applied  Game Mode", LogKind::Success);
    DrawFrames(1);
    EXPECT_TRUE(HeadlessImGui::HasColour(List(), ColSuccess));
    EXPECT_FALSE(HeadlessImGui::HasColour(List(), ColDanger));
}

TEST_P(SessionPageTest, OpenLogHandsNotepadThePathAsItIs) {
    // Notepad from the system directory, never a copy beside the program; it takes its whole
    // command line as the file name, spaces included.
    sim::TheMachine().localAppData = u"C:\\Users\\Ada Lovelace\\AppData\\Local";
    const std::u16string path =
        u"C:\\Users\\Ada Lovelace\\AppData\\Local\\Quillfarrow\\Optimizer\\session.log";
    struct Case {
        const char* name;
        std::uint32_t error;
    };
    // A refusal is Notepad's or the shell's to show; the page reports nothing.
    for (const Case c :
         {Case{"started", 0}, Case{"file not found", platform::kErrorFileNotFound}}) {
        SCOPED_TRACE(c.name);
        sim::TheMachine().shell = {};
        sim::TheMachine().shell.error = c.error;
        DrawFrames(1);
        Click(OpenLogButton());
        EXPECT_EQ(sim::TheMachine().shell.calls,
                  (std::vector<sim::Shell::Call>{{u"open", u"C:\\Windows\\system32\\notepad.exe",
                                                  path, platform::kSwShowNormal}}));
        EXPECT_TRUE(TestState().LogEntries.empty());
    }
    EXPECT_EQ(platform::kSwShowNormal, 1);
}

INSTANTIATE_TEST_SUITE_P(Scales, SessionPageTest, ::testing::Values(1.0f, 1.25f));

}  // namespace
