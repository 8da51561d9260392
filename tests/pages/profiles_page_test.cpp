// The Profiles page in headless frames over the simulated machine: the lookup of a
// profile's tweaks by name, each card's counter and bar against the applied set, and what
// its two buttons do.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "engine/profiles.h"
#include "pages/page_host.h"
#include "pages/pages.h"
#include "pages/profiles_page.h"
#include "platform/registry.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

using Ids = std::vector<std::string>;

Ids AsIds(std::span<const std::string_view> tweaks) {
    return Ids(tweaks.begin(), tweaks.end());
}

TEST(ProfileTweaksTest, FindsTheProfileWhoseNameIsExactlyTheOneGiven) {
    EXPECT_EQ(AsIds(ProfileTweaks("Laptop")),
              (Ids{"gamemode", "menudelay", "transparency", "telemetry", "feedback", "adid"}));
    EXPECT_EQ(AsIds(ProfileTweaks("Streamer")), (Ids{"gamebar", "gamedvr", "priority", "visualfx",
                                                     "netthrottle", "mmcss", "telemetry", "adid"}));
    EXPECT_EQ(ProfileTweaks("Balanced").size(), 11u);
    const Ids competitive = AsIds(ProfileTweaks("Competitive"));
    ASSERT_EQ(competitive.size(), 21u);
    EXPECT_EQ(competitive.front(), "gamedvr");
    EXPECT_EQ(competitive.back(), "adid");
    for (const std::string_view name :
         {std::string_view("laptop"), std::string_view("LAPTOP"), std::string_view("Laptop "),
          std::string_view(" Laptop"), std::string_view("Lap"), std::string_view(""),
          std::string_view("Laptop\0", 7), std::string_view("Gaming")}) {
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(ProfileTweaks(name).empty());
    }
}

// The bounding box of the vertices of `colour` inside `region`; inverted when none is.
ImRect BoxIn(const ImDrawList* list, ImU32 colour, const ImRect& region) {
    ImRect box(FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX);
    for (const ImDrawVert& vertex : list->VtxBuffer) {
        if (vertex.col == colour && region.Contains(vertex.pos))
            box.Add(vertex.pos);
    }
    return box;
}

class ProfilesPageTest : public HostedPageTest {
  protected:
    explicit ProfilesPageTest(ImVec2 display = ImVec2(1120, 720), float scale = 1.0f,
                              PageFunction page = DrawProfilesPage)
        : host(display, scale, page) {}
    float S(float value) const { return host.S(value); }

    float CardWidth() const { return (host.Width() - S(14)) / 2; }
    ImVec2 Corner(int card) const {
        const float column = static_cast<float>(card % 2);
        const float row = static_cast<float>(card / 2);
        return ImVec2(host.Origin().x + column * (CardWidth() + S(14)),
                      host.Origin().y + row * (S(172) + S(14)));
    }
    ImRect Band(int card, float top, float bottom) const {
        const ImVec2 c = Corner(card);
        return ImRect(c.x, c.y + S(top), c.x + CardWidth(), c.y + S(bottom));
    }
    ImRect ApplyRect(int card) const {
        const ImVec2 c = Corner(card);
        return ImRect(c.x + S(18), c.y + S(122), c.x + S(18) + S(132), c.y + S(154));
    }
    ImRect ViewRect(int card) const {
        const ImVec2 c = Corner(card);
        return ImRect(c.x + S(158), c.y + S(122), c.x + S(158) + S(90), c.y + S(154));
    }

    std::string Name(int card) const {
        return TextDrawnIn(PageHost::Body(), ColText, Band(card, 10, 36));
    }
    std::string Description(int card) const {
        return TextDrawnIn(PageHost::Body(), ColTextSecondary, Band(card, 36, 58));
    }
    // `overrun` more to the right, for a counter wider than its card.
    std::string Counter(int card, float overrun = 0) const {
        ImRect band = Band(card, 60, 92);
        band.Max.x += overrun;
        return TextDrawnIn(PageHost::Body(), ColText, band);
    }
    // The filled part of the progress track, inverted when none is drawn.
    ImRect Fill(int card) const { return BoxIn(PageHost::Body(), ColAccent, Band(card, 96, 112)); }
    ImRect Track(int card) const {
        // Inside the card's outline, which has the track's colour too.
        ImRect band = Band(card, 96, 112);
        band.Min.x += S(4);
        band.Max.x -= S(4);
        return BoxIn(PageHost::Body(), ColBorder, band);
    }

    PageHost host;
};

TEST_F(ProfilesPageTest, FourCardsInTheTablesOrderWithThePagesOwnDescriptions) {
    host.Frames(2);
    const std::vector<std::vector<std::string>> expected = {
        {"Competitive", "Minimum latency, capture off, network prioritized.", "0 / 21"},
        {"Balanced", "Clean gains, system services untouched.", "0 / 11"},
        {"Laptop", "Battery and thermals, no aggressive tweak.", "0 / 6"},
        {"Streamer", "Stable OBS, MMCSS and network prioritized.", "0 / 8"}};
    for (int card = 0; card < 4; ++card) {
        SCOPED_TRACE(card);
        EXPECT_EQ(Name(card), expected[card][0]);
        EXPECT_EQ(Description(card), expected[card][1]);
        EXPECT_EQ(Counter(card), expected[card][2]);
        EXPECT_EQ(TextDrawnIn(PageHost::Body(), ColText, ApplyRect(card)), "APPLY");
        EXPECT_EQ(TextDrawnIn(PageHost::Body(), ColTextSecondary, ViewRect(card)), "VIEW");
    }
}

struct Counts {
    const char* name;
    std::set<std::string, std::less<>> applied;
    std::vector<int> expected;  // applied per card; the totals are 21, 11, 6 and 8
};
void PrintTo(const Counts& counts, std::ostream* out) {
    *out << counts.name;
}

class ProfileCountersTest : public ProfilesPageTest,
                            public ::testing::WithParamInterface<std::tuple<float, Counts>> {
  protected:
    ProfileCountersTest() : ProfilesPageTest(ImVec2(1120, 720), std::get<0>(GetParam())) {}
};

TEST_P(ProfileCountersTest, CounterAndBarShowHowMuchOfEachProfileIsApplied) {
    const Counts& counts = std::get<1>(GetParam());
    State().AppliedSet = counts.applied;
    host.Frames(2);
    const int totals[] = {21, 11, 6, 8};
    const float track = CardWidth() - S(36);
    for (int card = 0; card < 4; ++card) {
        SCOPED_TRACE(card);
        const int applied = counts.expected[card];
        const std::string counter = std::to_string(applied) + " / " + std::to_string(totals[card]);
        EXPECT_EQ(Counter(card), counter);

        // "TWEAKS" follows the counter 8 pixels after its end.
        const std::vector<DrawnGlyph> label =
            DrawnGlyphs(PageHost::Body(), ColTextMuted, Band(card, 66, 92));
        ASSERT_FALSE(label.empty());
        EXPECT_EQ(TextDrawnIn(PageHost::Body(), ColTextMuted, Band(card, 66, 92)), "TWEAKS");
        const float counterWidth = TextSize(FontSemibold, S(22), counter).x;
        EXPECT_NEAR(label.front().pen.x, Corner(card).x + S(18) + counterWidth + S(8), 1.0f);

        const ImRect trackBox = Track(card);
        ASSERT_FALSE(trackBox.IsInverted());
        EXPECT_NEAR(trackBox.Min.x, Corner(card).x + S(18), 1.0f);
        EXPECT_NEAR(trackBox.Max.x, Corner(card).x + S(18) + track, 1.0f);
        EXPECT_NEAR(trackBox.Min.y, Corner(card).y + S(102), 1.0f);
        EXPECT_NEAR(trackBox.Max.y, Corner(card).y + S(106), 1.0f);

        const ImRect fill = Fill(card);
        if (applied == 0) {
            EXPECT_TRUE(fill.IsInverted());
            continue;
        }
        ASSERT_FALSE(fill.IsInverted());
        // Anti-aliasing puts the fill's solid vertices half a pixel inside its edges.
        EXPECT_NEAR(fill.Min.x, Corner(card).x + S(18) + 0.5f, 0.1f);
        EXPECT_NEAR(fill.GetWidth() + 1,
                    track * static_cast<float>(applied) / static_cast<float>(totals[card]), 0.1f);
        if (applied == totals[card]) {
            EXPECT_NEAR(fill.Min.x, trackBox.Min.x, 0.1f);
            EXPECT_NEAR(fill.Max.x, trackBox.Max.x, 0.1f);
        }
        EXPECT_NEAR(fill.Min.y, Corner(card).y + S(102), 1.0f);
        EXPECT_NEAR(fill.Max.y, Corner(card).y + S(106), 1.0f);
    }
}

const Ids kLaptop = {"gamemode", "menudelay", "transparency", "telemetry", "feedback", "adid"};

INSTANTIATE_TEST_SUITE_P(
    AppliedSets, ProfileCountersTest,
    ::testing::Combine(
        ::testing::Values(1.0f, 1.25f),
        ::testing::Values(
            Counts{"none", {}, {0, 0, 0, 0}},
            // Laptop's six are in Balanced and Competitive too; two of them in Streamer.
            Counts{"laptop", {kLaptop.begin(), kLaptop.end()}, {6, 6, 6, 2}},
            Counts{"streamer",
                   {"gamebar", "gamedvr", "priority", "visualfx", "netthrottle", "mmcss",
                    "telemetry", "adid"},
                   {8, 6, 2, 8}},
            // In every profile, in Competitive only, and in none of them.
            Counts{"shared", {"telemetry", "fso", "from-another-catalog"}, {2, 1, 1, 1}})),
    [](const ::testing::TestParamInfo<std::tuple<float, Counts>>& param) {
        return std::string(std::get<1>(param.param).name) +
               (std::get<0>(param.param) == 1.0f ? "_at100" : "_at125");
    });

// A page 160 pixels wide: each card is 73 wide, its track 37.
class NarrowProfilesPageTest : public ProfilesPageTest {
  protected:
    NarrowProfilesPageTest() : ProfilesPageTest(ImVec2(236 + 56 + 160, 720), 1.0f) {}
};

TEST_F(NarrowProfilesPageTest, AFillOfTwoPixelsOrLessIsNotDrawn) {
    ASSERT_FLOAT_EQ(CardWidth(), 73);
    // One of Competitive's 21 is 37 / 21, under 2 pixels; two are over.
    State().AppliedSet = {"fso"};
    host.Frames(2);
    // The counter runs on into the next card's margin.
    const float overrun = S(14) + S(17);
    EXPECT_EQ(Counter(0, overrun), "1 / 21");
    EXPECT_TRUE(Fill(0).IsInverted());
    EXPECT_FALSE(Track(0).IsInverted());

    State().AppliedSet = {"fso", "hags"};
    host.Frames(1);
    EXPECT_EQ(Counter(0, overrun), "2 / 21");
    ASSERT_FALSE(Fill(0).IsInverted());
    EXPECT_NEAR(Fill(0).GetWidth() + 1, 37.0f * 2 / 21, 0.1f);
}

TEST_F(NarrowProfilesPageTest, DescriptionsAreCutButNamesAndCountersAreNot) {
    host.Frames(2);
    for (int card = 0; card < 4; ++card) {
        SCOPED_TRACE(card);
        const std::string shown = Description(card);
        EXPECT_TRUE(shown.ends_with("...")) << shown;
        const ImRect box = TextDrawnInBox(PageHost::Body(), ColTextSecondary, Band(card, 36, 58));
        EXPECT_LE(box.Max.x, Corner(card).x + S(18) + CardWidth() - S(36) + 1);
    }
    // Wider than their cards, the names run on to the right, whole.
    const ImRect firstColumn(Corner(0).x, Corner(0).y, Corner(1).x + S(17), Corner(0).y + S(36));
    EXPECT_EQ(TextDrawnIn(PageHost::Body(), ColText, firstColumn), "Competitive");
    EXPECT_EQ(Counter(2, S(14) + S(17)), "0 / 6");
}

TEST_F(ProfilesPageTest, ViewShowsTheTweaksPageAndChangesNothingElse) {
    State().AppliedSet = {"fso"};
    for (int card = 0; card < 4; ++card) {
        SCOPED_TRACE(card);
        TestShell().CurrentPage = 4;
        const AppState before = State();
        const auto keys = sim::TheMachine().registry.keys;
        host.Click(ViewRect(card).GetCenter());
        EXPECT_EQ(TestShell().CurrentPage, 1);
        EXPECT_EQ(State().AppliedSet, before.AppliedSet);
        EXPECT_TRUE(Log().empty());
        EXPECT_TRUE(Commands().empty());
        EXPECT_EQ(sim::TheMachine().registry.keys, keys);
        EXPECT_FALSE(sim::FileContent(StatePath()).has_value());
    }
    // Beside VIEW, outside it, nothing happens.
    TestShell().CurrentPage = 4;
    host.Click(ImVec2(ViewRect(0).Max.x + 3, ViewRect(0).GetCenter().y));
    EXPECT_EQ(TestShell().CurrentPage, 4);
}

TEST_F(ProfilesPageTest, ApplyAppliesTheProfileOfItsCard) {
    struct Case {
        int card;
        std::string line;
        Ids ids;
        std::vector<std::string> counters;
        // One value the profile writes, read back from the machine.
        std::u16string key;
        std::u16string value;
    };
    const std::vector<Case> cases = {
        {2,
         "profile Laptop : 6 tweaks",
         kLaptop,
         {"6 / 21", "6 / 11", "6 / 6", "2 / 8"},
         u"Control Panel\\Desktop",
         u"MenuShowDelay"},
        {3,
         "profile Streamer : 8 tweaks",
         {"gamebar", "gamedvr", "priority", "visualfx", "netthrottle", "mmcss", "telemetry",
          "adid"},
         {"8 / 21", "6 / 11", "2 / 6", "8 / 8"},
         u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects",
         u"VisualFXSetting"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        HostedPageTest::SetUp();
        TestShell().CurrentPage = 4;
        host.Click(ApplyRect(c.card).GetCenter());
        EXPECT_EQ(Log(), std::vector<std::string>{c.line});
        ASSERT_FALSE(State().LogEntries.empty());
        EXPECT_EQ(State().LogEntries.back().kind, LogKind::Success);
        EXPECT_EQ(State().AppliedSet,
                  (std::set<std::string, std::less<>>(c.ids.begin(), c.ids.end())));
        EXPECT_TRUE(sim::FileContent(StatePath()).has_value());
        EXPECT_TRUE(sim::RegistryValueOf(platform::kHkeyCurrentUser, c.key, c.value).has_value());
        for (int card = 0; card < 4; ++card)
            EXPECT_EQ(Counter(card), c.counters[card]);
        EXPECT_NEAR(Fill(c.card).GetWidth(), Track(c.card).GetWidth(), 0.1f);
        EXPECT_EQ(TestShell().CurrentPage, 4);
        HeadlessImGui::MoveMouse(ImVec2(0, 0));
        host.Frames(1);
    }
}

// A card whose name has no profile, drawn as the page draws its own.
void DrawUnknownCard(AppState& state, ShellState& shell, float) {
    DrawProfileCard(state, shell, "Gaming", "Not a profile of this program.",
                    ImGui::GetCursorScreenPos(), 300);
}

class UnknownProfileCardTest : public ProfilesPageTest {
  protected:
    UnknownProfileCardTest() : ProfilesPageTest(ImVec2(1120, 720), 1.0f, DrawUnknownCard) {}
};

TEST_F(UnknownProfileCardTest, ShowsZeroOfZeroAndItsApplyChangesNothing) {
    State().AppliedSet = {"fso", "telemetry"};
    host.Frames(2);
    EXPECT_EQ(Name(0), "Gaming");
    EXPECT_EQ(Counter(0), "0 / 0");
    EXPECT_TRUE(Fill(0).IsInverted());
    EXPECT_FALSE(Track(0).IsInverted());

    host.Click(ApplyRect(0).GetCenter());
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(State().AppliedSet, (std::set<std::string, std::less<>>{"fso", "telemetry"}));
    EXPECT_FALSE(sim::FileContent(StatePath()).has_value());
    host.Click(ViewRect(0).GetCenter());
    EXPECT_EQ(TestShell().CurrentPage, 1);
}

}  // namespace
