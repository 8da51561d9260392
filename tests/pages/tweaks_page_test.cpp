// The Tweaks page in headless frames over the simulated platform: which headers and rows the
// filter leaves in the list (read back from the list's draw list), the filter field's
// capacity, and what "SAFE ONLY" does to the application state, the machine and the log.
#include <gtest/gtest.h>

#include <imgui.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/catalog.h"
#include "engine/tweak_table.h"
#include "pages/body_fixture.h"
#include "pages/pages.h"
#include "pages/tweaks_page.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "state/state_file.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

constexpr ImU32 kRowName = Rgba(0xD2D2DAFF);  // the name of a tweak that is not applied

const std::vector<std::string> kAllNames = {
    "Game DVR",           "Game Bar",           "Exclusive fullscreen",
    "GPU scheduling",     "Game Mode",          "Thread priority",
    "Visual effects",     "Transparency",       "Menu delays",
    "Startup delay",      "High performance",   "Timer 0.5 ms",
    "Hibernation",        "Mouse acceleration", "Nagle",
    "Network Throttling", "MMCSS reservation",  "TCP stack",
    "DNS Cloudflare",     "Telemetry",          "DiagTrack",
    "Feedback",           "Activity history",   "Advertising ID",
    "Preinstalled apps",  "Sidecar services",   "Telemetry tasks"};
const std::vector<std::string> kAllHeaders = {"GRAPHICS", "SYSTEM",  "INPUT",
                                              "NETWORK",  "PRIVACY", "DEBLOAT"};
// The catalog counts after each header, and the IRREV badge of the preinstalled apps.
const std::vector<std::string> kAllMuted = {"4", "9", "1", "5", "5", "3", "IRREV"};

const std::set<std::string, std::less<>> kSafeSet = {
    "gamedvr",      "gamebar",   "gamemode",   "priority",  "visualfx", "transparency", "menudelay",
    "startupdelay", "powerplan", "mouseaccel", "telemetry", "feedback", "activity",     "adid"};

class TweaksPageTest : public BodyTest {
  protected:
    explicit TweaksPageTest(Layout layout = ScaledLayout(1)) : BodyTest(layout) {}
    void SetUp() override {
        BodyTest::SetUp();
        TestShell().filter.fill('\0');
    }
    void TearDown() override {
        TestShell().filter.fill('\0');
        BodyTest::TearDown();
    }
    static void SetFilter(const std::string& text) {
        TestShell().filter.fill('\0');
        std::copy(text.begin(), text.end(), TestShell().filter.begin());
    }
    // What the list shows, after a frame that bakes its glyphs and one that draws with them.
    struct Shown {
        std::vector<std::string> headers;
        std::vector<std::string> names;
        std::vector<std::string> muted;
    };
    Shown Show() const {
        DrawPage(DrawTweaksPage);
        DrawPage(DrawTweaksPage);
        return ListTexts();
    }
    Shown ListTexts() const {
        const ImDrawList* list = DrawListOf("##list");
        Shown shown;
        if (list == nullptr)
            return shown;
        shown.headers = HeadersIn("##list");
        for (const DrawnText& text : DrawnTexts(list)) {
            if (text.colour == kRowName || text.colour == ColText)
                shown.names.push_back(text.text);
            else if (text.colour == ColTextMuted)
                shown.muted.push_back(text.text);
        }
        return shown;
    }
    static std::vector<std::string> NamesIn(ImU32 colour) {
        return DrawnTextsOfColour(DrawListOf("##list"), colour);
    }
    // The middle of the "SAFE ONLY" button.
    ImVec2 SafeOnlyButton() const {
        return ImVec2(Origin().x + PageWidth() - S(63), Origin().y + S(15));
    }
};

TEST_F(TweaksPageTest, TheFilterLeavesTheRowsWhoseNameCategoryOrDescriptionHoldIt) {
    const struct {
        const char* filter;
        std::vector<std::string> headers;
        std::vector<std::string> names;
        std::vector<std::string> muted;
    } rows[] = {
        {"", kAllHeaders, kAllNames, kAllMuted},
        // Name and category joined by one space, case ignored.
        {"DVR graphics", {"GRAPHICS"}, {"Game DVR"}, {"4"}},
        // Ids are not searched.
        {"gamedvr", {}, {}, {"no results."}},
        // The header counts the whole category, not the rows left.
        {"tcp", {"NETWORK"}, {"Nagle", "TCP stack"}, {"5"}},
        {"TcP", {"NETWORK"}, {"Nagle", "TCP stack"}, {"5"}},
        // Every searched text holds the joining spaces.
        {" ", kAllHeaders, kAllNames, kAllMuted},
        // No trimming and no word splitting.
        {"tcp ", {"NETWORK"}, {"TCP stack"}, {"5"}},
        {"dvr  graphics", {}, {}, {"no results."}},
        {"Menu delays System MenuShowDelay 0, shorter close wait. ", {}, {}, {"no results."}},
        {"Menu delays System MenuShowDelay 0, shorter close wait.",
         {"SYSTEM"},
         {"Menu delays"},
         {"9"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("filter \"") + row.filter + "\"");
        SetFilter(row.filter);
        const Shown shown = Show();
        EXPECT_EQ(shown.headers, row.headers);
        EXPECT_EQ(shown.names, row.names);
        EXPECT_EQ(shown.muted, row.muted);
    }
}

TEST(TweaksFilterRule, OnlyAsciiLettersAreFolded) {
    const TweakEntry entry = {"x",          "Caf\u00e9 \u00c9cran", "System",
                              "Cr\u00e8me", RiskLevel::Safe,        true};
    const struct {
        const char* filter;
        bool matches;
    } rows[] = {
        {"CAF\u00e9", true},             // the ASCII letters fold
        {"caf\u00c9", false},            // an upper-case accented letter does not
        {"\u00e9cran", false},           // nor one in the searched text
        {"\u00c9CRAN SYSTEM CR", true},  // the joining spaces, across the three fields
        {"x", false},                    // the id is not searched
        {"", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.filter);
        EXPECT_EQ(MatchesFilter(entry, row.filter), row.matches);
    }
    EXPECT_EQ(LowerAscii("AZaz09@[`{\u00c9"), "azaz09@[`{\u00c9");
}

TEST_F(TweaksPageTest, TheFilterKeepsItsTextWhileAnotherPageIsShown) {
    SetFilter("tcp");
    Show();
    DrawPage([](float) {});
    EXPECT_EQ(Show().names, (std::vector<std::string>{"Nagle", "TCP stack"}));
    EXPECT_STREQ(TestShell().filter.data(), "tcp");
}

TEST_F(TweaksPageTest, SafeOnlyAppliesEverySafeReversibleTweakWhateverTheFilterShows) {
    using Ids = std::set<std::string, std::less<>>;
    const struct {
        const char* name;
        Ids appliedBefore;
        bool powerPlanRefused;
        Ids appliedAfter;
        const char* line;
    } rows[] = {
        {"nothing applied", {}, false, kSafeSet, "safe set : 14 tweaks"},
        {"all applied", kSafeSet, false, kSafeSet, "safe set : 0 tweaks"},
        {"a safe and an advanced tweak applied",
         {"menudelay", "nagle"},
         false,
         [] {
             Ids ids = kSafeSet;
             ids.insert("nagle");
             return ids;
         }(),
         "safe set : 13 tweaks"},
        {"the power plan refused",
         {},
         true,
         [] {
             Ids ids = kSafeSet;
             ids.erase("powerplan");
             return ids;
         }(),
         "safe set : 13 tweaks"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        TestState().AppliedSet = row.appliedBefore;
        sim::TheMachine().power.setDenied = row.powerPlanRefused;
        if (row.powerPlanRefused)
            sim::TheMachine().processes.exitCodes[u"powercfg /setactive SCHEME_MIN"] = 1;
        // Only the Network rows are listed; the button does not look at the list.
        SetFilter("tcp");
        const sim::Registry registryBefore = sim::TheMachine().registry;

        Click(DrawTweaksPage, SafeOnlyButton());

        EXPECT_EQ(TestState().AppliedSet, row.appliedAfter);
        // One summary line, even for none, and no line per tweak.
        EXPECT_EQ(Log(), std::vector<std::string>{row.line});
        EXPECT_EQ(TestState().LogEntries.back().kind, LogKind::Success);
        const bool changedNothing = row.appliedBefore == row.appliedAfter;
        EXPECT_EQ(sim::TheMachine().registry.keys == registryBefore.keys, changedNothing);
        if (changedNothing) {
            EXPECT_TRUE(sim::TheMachine().processes.runs.empty());
        }
        // The others are never touched.
        for (const char* other : {"fso", "hags", "mmcss", "diagtrack"}) {
            SCOPED_TRACE(other);
            EXPECT_FALSE(IsApplied(TestState(), other));
            for (const RegistryWrite& write : LookupPlan(other)->writes) {
                EXPECT_FALSE(sim::RegistryValueOf(static_cast<std::uint32_t>(write.root),
                                                  std::u16string(write.key),
                                                  std::u16string(write.value))
                                 .has_value());
            }
        }
        for (const std::string& call : sim::TheMachine().serviceManager.calls)
            EXPECT_EQ(call.find("DiagTrack"), std::string::npos) << call;
    }
}

TEST_F(TweaksPageTest, SafeOnlyChangesTheMachineAndTheRowsShowItInTheSameFrame) {
    Show();
    Click(DrawTweaksPage, SafeOnlyButton());
    // The release frame ran the action before drawing the list.
    std::vector<std::string> applied;
    for (const TweakEntry& entry : TweakCatalog) {
        if (kSafeSet.count(entry.id) != 0)
            applied.push_back(entry.name);
    }
    EXPECT_EQ(NamesIn(ColText), applied);
    EXPECT_EQ(NamesIn(kRowName).size(), kAllNames.size() - applied.size());
    const auto menuShowDelay = sim::RegistryValueOf(platform::kHkeyCurrentUser,
                                                    u"Control Panel\\Desktop", u"MenuShowDelay");
    ASSERT_TRUE(menuShowDelay.has_value());
    EXPECT_EQ(menuShowDelay->data, (sim::Bytes{'0', 0, 0, 0}));
    // Saved after each apply.
    AppState saved;
    ASSERT_TRUE(DecodeState(*sim::FileContent(StatePath()), saved));
    EXPECT_EQ(saved.AppliedSet, TestState().AppliedSet);
}

struct Typed {
    const char* name;
    std::string text;
    std::string kept;
    std::vector<std::string> names;
};

class TweaksFilterFieldTest : public TweaksPageTest, public ::testing::WithParamInterface<Typed> {};

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST_P(TweaksFilterFieldTest, TypedTextFillsTheBufferUpTo95Bytes) {
    PushUiFont(2, 10);
    const float labelWidth = ImGui::CalcTextSize("FILTER").x;
    PopUiFont();
    Show();
    // Into the field, right of the label.
    Click(DrawTweaksPage, ImVec2(Origin().x + labelWidth + S(110), Origin().y + S(14)));
    ImGui::GetIO().AddInputCharactersUTF8(GetParam().text.c_str());
    for (int i = 0; i < 4; ++i)
        DrawPage(DrawTweaksPage);
    EXPECT_EQ(std::string(TestShell().filter.data()), GetParam().kept);
    EXPECT_EQ(TestShell().filter.back(), '\0');
    EXPECT_EQ(ListTexts().names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TweaksFilterFieldTest,
    ::testing::Values(Typed{"Words", "DVR graphics", "DVR graphics", {"Game DVR"}},
                      Typed{"Ascii", Repeat("a", 100), Repeat("a", 95), {}},
                      Typed{"TwoByteLetters", Repeat("\u00e9", 50), Repeat("\u00e9", 47), {}},
                      Typed{"ThreeByteSigns", Repeat("\u20ac", 40), Repeat("\u20ac", 31), {}}),
    [](const auto& test) { return std::string(test.param.name); });

class TweaksPageLayoutTest : public TweaksPageTest, public ::testing::WithParamInterface<float> {
  protected:
    TweaksPageLayoutTest() : TweaksPageTest(ScaledLayout(GetParam())) {}
};

TEST_P(TweaksPageLayoutTest, TheButtonEndsAtThePagesRightEdgeAndTheListFillsTheBody) {
    const ImVec2 button = SafeOnlyButton();
    HeadlessImGui::MoveMouse(button);
    Show();
    // Hovered, the button alone in the body takes the hover fill.
    const ImRect box = HeadlessImGui::ColourBox(DrawListOf("##body"), ColSurfaceHover);
    ASSERT_FALSE(box.IsInverted());
    EXPECT_NEAR(box.Min.x, Origin().x + PageWidth() - S(126), 1.5f);
    EXPECT_NEAR(box.Max.x, Origin().x + PageWidth(), 1.5f);
    EXPECT_NEAR(box.Min.y, Origin().y, 1.5f);
    EXPECT_NEAR(box.Max.y, Origin().y + S(30), 1.5f);

    const ImGuiWindow* list = HeadlessImGui::WindowNamed("##list");
    ASSERT_NE(list, nullptr);
    EXPECT_NEAR(list->Pos.x, Origin().x, 1.5f);
    EXPECT_NEAR(list->Pos.y, Origin().y + S(44), 1.5f);
    EXPECT_NEAR(list->Size.x, PageWidth(), 1.5f);
    EXPECT_NEAR(list->Pos.y + list->Size.y,
                bodyLayout.bodyPosition.y + bodyLayout.bodySize.y - S(2), 1.5f);
}

INSTANTIATE_TEST_SUITE_P(Scales, TweaksPageLayoutTest, ::testing::Values(1.0f, 1.25f, 1.5f));

}  // namespace
