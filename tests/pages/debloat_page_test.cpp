// The Debloat page in headless frames over the simulated machine: what each card says, what
// its button does to the machine and the log, and the confirmation the preinstalled apps
// need before anything is removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/tweak_table.h"
#include "platform/services.h"
#include "pages/page_host.h"
#include "pages/pages.h"
#include "support/quiet_change.h"
#include "ui/palette.h"

namespace {

const ImU32 kBadgeFill = Rgba(0x23202D80);
const ImU32 kIrreversibleFill = Rgba(0xFF5C5C14);

class DebloatPageTest : public HostedPageTest {
  protected:
    explicit DebloatPageTest(ImVec2 display = ImVec2(1120, 720), float scale = 1.0f)
        : host(display, scale, DrawDebloatPage) {}
    void SetUp() override { Fresh(); }
    // A fresh machine and records; the dialog keeps whatever state ImGui holds.
    void Fresh() {
        HostedPageTest::SetUp();
        auto& services = sim::TheMachine().serviceManager.services;
        services[u"MapsBroker"] = {2, true, 0, false};
        services[u"RemoteRegistry"] = {4, false, 0, false};
        services[u"RetailDemo"] = {3, false, 0, false};
        services[u"Fax"] = {3, false, 0, false};
    }
    float S(float value) const { return host.S(value); }

    ImVec2 Corner(int card) const {
        return ImVec2(host.Origin().x, host.Origin().y + static_cast<float>(card) * S(132));
    }
    // A band of the card, from `top` to `bottom` below its corner, across its width.
    ImRect Band(int card, float top, float bottom) const {
        const ImVec2 c = Corner(card);
        return ImRect(c.x, c.y + S(top), c.x + host.Width(), c.y + S(bottom));
    }
    ImRect ButtonRect(int card) const {
        const ImVec2 c = Corner(card);
        const float left = c.x + host.Width() - S(18) - S(150);
        return ImRect(left, c.y + S(66), left + S(150), c.y + S(100));
    }
    void ClickButton(int card) const { host.Click(ButtonRect(card).GetCenter()); }

    std::string Title(int card) const {
        return TextDrawnIn(PageHost::Body(), ColAccent, Band(card, 10, 34));
    }
    std::string Badges(int card) const {
        return TextDrawnIn(PageHost::Body(), ColTextMuted, Band(card, 10, 34));
    }
    std::string Description(int card) const {
        return TextDrawnIn(PageHost::Body(), ColTextSecondary, Band(card, 36, 58));
    }
    // The state word, read in the colour it is meant to have.
    std::string StateWord(int card, ImU32 colour) const {
        return TextDrawnIn(PageHost::Body(), colour, Band(card, 76, 96));
    }
    std::string ButtonLabel(int card, ImU32 colour) const {
        return TextDrawnIn(PageHost::Body(), colour, ButtonRect(card));
    }
    // What the card shows of its state: the word and the button, each in its colour.
    void ExpectShownApplied(int card, bool applied) const {
        SCOPED_TRACE(card);
        if (applied) {
            EXPECT_EQ(StateWord(card, ColSuccess), "APPLIED");
            EXPECT_EQ(ButtonLabel(card, ColTextSecondary), "REVERT");
            EXPECT_EQ(ButtonLabel(card, ColText), "");
        } else {
            EXPECT_EQ(StateWord(card, ColTextMuted), "INACTIVE");
            EXPECT_EQ(ButtonLabel(card, ColText), "APPLY");
            EXPECT_EQ(ButtonLabel(card, ColTextSecondary), "");
        }
    }

    static ImGuiWindow* Dialog() { return HeadlessImGui::WindowNamed("##confirmappx"); }
    static bool DialogShown() {
        const ImGuiWindow* dialog = Dialog();
        return dialog != nullptr && dialog->Active && !dialog->Hidden;
    }
    // Inverted while there is no dialog.
    static ImRect ConfirmRect() {
        const ImGuiWindow* dialog = Dialog();
        return dialog == nullptr ? ImRect(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX)
                                 : HeadlessImGui::ColourBox(dialog->DrawList, kIrreversibleFill);
    }
    // Just right of CONFIRM, in the row they share.
    ImVec2 CancelCentre() const {
        const ImRect confirm = ConfirmRect();
        return ImVec2(confirm.Max.x + S(8) + S(60), confirm.GetCenter().y);
    }
    void OpenDialog() const {
        ClickButton(0);
        ASSERT_TRUE(DialogShown());
        ASSERT_FALSE(ConfirmRect().IsInverted());
    }

    static std::vector<LogKind> Kinds() {
        std::vector<LogKind> kinds;
        for (const LogEntry& entry : TestState().LogEntries)
            kinds.push_back(entry.kind);
        return kinds;
    }

    PageHost host;
};

TEST_F(DebloatPageTest, ThreeCardsShowThePagesOwnWordingAndState) {
    host.Frames(2);
    const std::vector<std::vector<std::string>> expected = {
        {"PREINSTALLED APPS", "16 packages",
         "Removes 16 unneeded Store packages for all profiles. Permanent."},
        {"SIDECAR SERVICES", "5 services",
         "MapsBroker, RemoteRegistry, RetailDemo, WMPNetworkSvc, Fax. State captured before."},
        {"TELEMETRY TASKS", "9 tasks",
         "CEIP, Appraiser, Feedback, QueueReporting. Reversible via schtasks."}};
    for (int card = 0; card < 3; ++card) {
        SCOPED_TRACE(card);
        EXPECT_EQ(Title(card), expected[card][0]);
        EXPECT_EQ(Badges(card), expected[card][1]);
        EXPECT_EQ(Description(card), expected[card][2]);
        ExpectShownApplied(card, false);
    }
    // Each card is a panel 118 pixels high, 132 below the one before.
    const ImRect panels = HeadlessImGui::ColourBox(PageHost::Body(), ColPanel);
    EXPECT_NEAR(panels.Min.y, Corner(0).y, 1.0f);
    EXPECT_NEAR(panels.Max.y, Corner(2).y + S(118), 1.0f);
    EXPECT_NEAR(panels.Max.x, Corner(0).x + host.Width(), 1.0f);
}

TEST_F(DebloatPageTest, CardsFollowTheAppliedSetFromFrameToFrame) {
    host.Frames(2);
    State().AppliedSet.insert("debloat-tasks");
    host.Frames(1);
    ExpectShownApplied(0, false);
    ExpectShownApplied(1, false);
    ExpectShownApplied(2, true);
}

TEST_F(DebloatPageTest, TheIrreversibleBadgeFollowsTheFirstCardsBadgeOnly) {
    host.Frames(2);
    const ImDrawList* body = PageHost::Body();
    const ImRect irreversible = HeadlessImGui::ColourBox(body, kIrreversibleFill);
    ASSERT_FALSE(irreversible.IsInverted());
    EXPECT_TRUE(Band(0, 0, 118).Contains(irreversible));
    EXPECT_EQ(TextDrawnIn(body, ColDanger, Band(0, 0, 118)), "IRREVERSIBLE");
    for (int card : {1, 2}) {
        EXPECT_EQ(TextDrawnIn(body, ColDanger, Band(card, 0, 118)), "");
    }
    // 6 pixels after the "16 packages" pill, on the same line and as high.
    ImRect first(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX);
    for (const ImDrawVert& vertex : body->VtxBuffer) {
        if (vertex.col == kBadgeFill && Band(0, 0, 118).Contains(vertex.pos))
            first.Add(vertex.pos);
    }
    ASSERT_FALSE(first.IsInverted());
    EXPECT_NEAR(irreversible.Min.x - first.Max.x, S(6), 1.5f);
    EXPECT_NEAR(irreversible.Min.y, first.Min.y, 0.5f);
    EXPECT_NEAR(irreversible.Max.y, first.Max.y, 0.5f);
}

TEST_F(DebloatPageTest, ApplyOnThePreinstalledAppsOnlyAsksFirst) {
    EXPECT_FALSE(DialogShown());
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(IsApplied(State(), "debloat-appx"));
    ExpectShownApplied(0, false);

    // A fixed width, as high as its words, in the middle of the screen.
    const ImGuiWindow* dialog = Dialog();
    EXPECT_NEAR(dialog->Size.x, S(420), 1.0f);
    EXPECT_NEAR(dialog->Pos.x + dialog->Size.x / 2, 560, 1.0f);
    EXPECT_NEAR(dialog->Pos.y + dialog->Size.y / 2, 360, 1.0f);
    const ImRect words(dialog->Pos, ImVec2(dialog->Pos.x + dialog->Size.x, ConfirmRect().Min.y));
    EXPECT_EQ(TextDrawnIn(dialog->DrawList, ColText, words), "Remove preinstalled apps?");
    EXPECT_EQ(TextDrawnIn(dialog->DrawList, ColTextSecondary, words),
              "No automatic rollback.\nPackages remain recoverable via the Store.");
    EXPECT_EQ(TextDrawnIn(dialog->DrawList, ColDanger, ConfirmRect()), "CONFIRM");

    // It stays up until answered.
    host.Frames(3);
    EXPECT_TRUE(DialogShown());
}

TEST_F(DebloatPageTest, ConfirmRemovesThePackagesAndCloses) {
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    host.Click(ConfirmRect().GetCenter());
    EXPECT_FALSE(DialogShown());
    EXPECT_EQ(Commands(), std::vector<std::u16string>{AppxRemovalCommand()});
    EXPECT_EQ(Log(), std::vector<std::string>{"applied  Preinstalled apps"});
    EXPECT_TRUE(IsApplied(State(), "debloat-appx"));
    ExpectShownApplied(0, true);
}

TEST_F(DebloatPageTest, CancelClosesAndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    host.Click(CancelCentre());
    EXPECT_FALSE(DialogShown());
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(IsApplied(State(), "debloat-appx"));
    ExpectShownApplied(0, false);
    // And it can be asked again.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
}

TEST_F(DebloatPageTest, ServicesAndTasksApplyAtOnceWithoutTheDialog) {
    struct Case {
        int card;
        const char* id;
        const char* line;
        std::function<void()> machine;
    };
    const std::vector<Case> cases = {
        {1, "debloat-services", "applied  Sidecar services",
         [] {
             const auto& services = sim::TheMachine().serviceManager.services;
             EXPECT_EQ(services.at(u"MapsBroker").startType, 4u);
             EXPECT_EQ(services.at(u"Fax").startType, 4u);
             EXPECT_TRUE(Commands().empty());
         }},
        {2, "debloat-tasks", "applied  Telemetry tasks",
         [] {
             const std::vector<std::u16string> commands = Commands();
             ASSERT_EQ(commands.size(), 9u);
             for (const std::u16string& command : commands) {
                 EXPECT_TRUE(command.starts_with(u"schtasks /Change /TN "));
                 EXPECT_TRUE(command.ends_with(u"/Disable"));
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Fresh();
        const ImVec2 button = ButtonRect(c.card).GetCenter();
        HeadlessImGui::MoveMouse(button);
        host.Frames(1);
        HeadlessImGui::Press();
        host.Frames(1);
        HeadlessImGui::Release();
        host.Frames(1);
        // Applied in the frame of the click, which still shows the state it began with.
        EXPECT_TRUE(IsApplied(State(), c.id));
        EXPECT_EQ(StateWord(c.card, ColTextMuted), "INACTIVE");
        EXPECT_EQ(Log(), std::vector<std::string>{c.line});
        c.machine();
        EXPECT_FALSE(DialogShown());
        host.Frames(1);
        ExpectShownApplied(c.card, true);
        ExpectShownApplied(0, false);
        HeadlessImGui::MoveMouse(ImVec2(0, 0));
        host.Frames(1);
    }
}

TEST_F(DebloatPageTest, RevertOnThePreinstalledAppsSaysWhyItStaysApplied) {
    ASSERT_TRUE(ApplyQuietly(State(), "debloat-appx").Ok());
    sim::TheMachine().processes.runs.clear();
    host.Frames(2);
    ExpectShownApplied(0, true);
    ClickButton(0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"revert failed  Preinstalled apps",
                                               "irreversible: preinstalled apps"}));
    EXPECT_EQ(Kinds(), (std::vector<LogKind>{LogKind::Error, LogKind::Warning}));
    EXPECT_TRUE(IsApplied(State(), "debloat-appx"));
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(DialogShown());
    ExpectShownApplied(0, true);
}

TEST_F(DebloatPageTest, RevertOnTheOtherCardsAddsNoLineOfItsOwn) {
    struct Case {
        const char* name;
        bool rights;
        std::vector<std::string> lines;
        bool appliedAfter;
        std::uint32_t mapsBrokerStart;
    };
    const std::vector<Case> cases = {
        {"with rights", true, {"reverted  Sidecar services"}, false, 2},
        {"refused", false, {"revert failed  Sidecar services"}, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        ASSERT_TRUE(ApplyQuietly(State(), "debloat-services").Ok());
        if (!c.rights) {
            for (auto& [name, service] : sim::TheMachine().serviceManager.services)
                service.refusedAccess = platform::kServiceChangeConfig | platform::kServiceStart |
                                        platform::kServiceStop;
        }
        host.Frames(2);
        ClickButton(1);
        EXPECT_EQ(Log(), c.lines);
        EXPECT_EQ(IsApplied(State(), "debloat-services"), c.appliedAfter);
        EXPECT_EQ(sim::TheMachine().serviceManager.services.at(u"MapsBroker").startType,
                  c.mapsBrokerStart);
        ExpectShownApplied(1, c.appliedAfter);
        HeadlessImGui::MoveMouse(ImVec2(0, 0));
        host.Frames(1);
    }
}

// A body too narrow for the descriptions.
class NarrowDebloatPageTest : public DebloatPageTest {
  protected:
    NarrowDebloatPageTest() : DebloatPageTest(ImVec2(760, 720), 1.0f) {}
};

TEST_F(NarrowDebloatPageTest, LongDescriptionsAreCutToFitBeforeTheButton) {
    host.Frames(2);
    const float room = host.Width() - S(260);
    for (int card = 0; card < 3; ++card) {
        SCOPED_TRACE(card);
        const std::string shown = Description(card);
        EXPECT_TRUE(shown.ends_with("...")) << shown;
        const ImRect box = TextDrawnInBox(PageHost::Body(), ColTextSecondary, Band(card, 36, 58));
        EXPECT_LE(box.Max.x, Corner(card).x + S(18) + room + 1);
        // The button is still where it belongs, and still works.
        EXPECT_EQ(ButtonLabel(card, ColText), "APPLY");
    }
    ClickButton(2);
    EXPECT_EQ(Log(), std::vector<std::string>{"applied  Telemetry tasks"});
}

// Every size is the layout's at the UI scale.
class ScaledDebloatPageTest : public DebloatPageTest, public ::testing::WithParamInterface<float> {
  protected:
    ScaledDebloatPageTest() : DebloatPageTest(ImVec2(1120, 720), GetParam()) {}
};

TEST_P(ScaledDebloatPageTest, ButtonsLieAtTheRightOfEachCard) {
    host.Frames(2);
    for (int card = 0; card < 3; ++card) {
        SCOPED_TRACE(card);
        const ImRect label = TextDrawnInBox(PageHost::Body(), ColText, ButtonRect(card));
        ASSERT_FALSE(label.IsInverted());
        EXPECT_NEAR(label.GetCenter().x, ButtonRect(card).GetCenter().x, S(2));
        EXPECT_NEAR(label.GetCenter().y, ButtonRect(card).GetCenter().y, S(2));
    }
    // Just inside the services button's edges it responds; just outside it does not.
    const ImRect button = ButtonRect(1);
    for (const ImVec2 outside : {ImVec2(button.Min.x - 2, button.GetCenter().y),
                                 ImVec2(button.GetCenter().x, button.Max.y + 2)}) {
        host.Click(outside);
        EXPECT_TRUE(Log().empty());
    }
    host.Click(ImVec2(button.Max.x - 2, button.Min.y + 2));
    EXPECT_EQ(Log(), std::vector<std::string>{"applied  Sidecar services"});
}

INSTANTIATE_TEST_SUITE_P(UiScales, ScaledDebloatPageTest, ::testing::Values(1.0f, 1.25f));

}  // namespace
