// The dashboard in the frame's body: the figures of its tiles, their bars, the newest
// session lines, and the quick-profile buttons running the engine.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <vector>

#include "engine/profiles.h"
#include "pages/dashboard_page.h"
#include "pages/page_fixture.h"
#include "state/session_log.h"
#include "sysinfo/machine_record.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

constexpr std::uint64_t kGiB = 1ull << 30;

MachineInfo Machine(float cpu, std::uint64_t memUsed, std::uint64_t memTotal,
                    std::uint64_t diskFree, std::uint64_t diskTotal) {
    MachineInfo machine;
    machine.CpuName = u"Ryzen 7 7800X3D";
    machine.GpuName = u"GeForce RTX 4070";
    machine.CpuPercent = cpu;
    machine.MemUsed = memUsed;
    machine.MemTotal = memTotal;
    machine.DiskFree = diskFree;
    machine.DiskTotal = diskTotal;
    return machine;
}

TEST(DashboardFiguresTest, TilesShowTheLoadAsTextsAndBars) {
    struct Case {
        const char* name;
        MachineInfo machine;
        std::size_t tile;
        TileFigures expected;
    };
    const Case cases[] = {
        {"cpu at 85 keeps the accent",
         Machine(85.0f, 0, 0, 0, 0),
         0,
         {"CPU", "85%", "Ryzen 7 7800X3D", 0.85f, ColAccent}},
        {"cpu above 85 turns red while the text still reads 85",
         Machine(85.1f, 0, 0, 0, 0),
         0,
         {"CPU", "85%", "Ryzen 7 7800X3D", 0.851f, ColDanger}},
        {"memory in tenths of a GB",
         Machine(0, 6'979'321'856, 16 * kGiB, 0, 0),
         1,
         {"MEMORY", "6.5 GB", "of 16.0 GB", 0.40625f, ColSuccess}},
        {"an unknown memory total gives an empty bar",
         Machine(0, 3 * kGiB, 0, 0, 0),
         1,
         {"MEMORY", "3.0 GB", "of 0.0 GB", 0.0f, ColSuccess}},
        {"the adapter has no bar",
         Machine(0, 0, 0, 0, 0),
         2,
         {"GPU", "GeForce RTX 4070", "primary adapter", -1.0f, 0}},
        {"free space as the value, the used share as the bar",
         Machine(0, 0, 0, 200 * kGiB, 500 * kGiB),
         3,
         {"DISK C:", "200 GB", "of 500 GB", 0.6f, ColAccent}},
        {"under a tenth free is red",
         Machine(0, 0, 0, 45 * kGiB, 500 * kGiB),
         3,
         {"DISK C:", "45 GB", "of 500 GB", 0.91f, ColDanger}},
        {"an unknown disk total gives an empty bar",
         Machine(0, 0, 0, 0, 0),
         3,
         {"DISK C:", "0 GB", "of 0 GB", 0.0f, ColAccent}},
        {"more free than total gives an empty bar, not none",
         Machine(0, 0, 0, 600 * kGiB, 500 * kGiB),
         3,
         {"DISK C:", "600 GB", "of 500 GB", 0.0f, ColAccent}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TileFigures tile = DashboardTiles(c.machine)[c.tile];
        EXPECT_EQ(tile.label, c.expected.label);
        EXPECT_EQ(tile.value, c.expected.value);
        EXPECT_EQ(tile.caption, c.expected.caption);
        EXPECT_FLOAT_EQ(tile.fraction, c.expected.fraction);
        EXPECT_EQ(tile.barColour, c.expected.barColour);
    }
}

TEST(DashboardFiguresTest, UptimeIsWholeHoursAndUnpaddedMinutes) {
    struct Case {
        std::uint64_t seconds;
        const char* text;
    };
    for (const Case c : {Case{90'061, "25 h 1 m"}, Case{0, "0 h 0 m"}, Case{3'599, "0 h 59 m"},
                         Case{3'600, "1 h 0 m"}, Case{360'000, "100 h 0 m"}}) {
        EXPECT_EQ(UptimeText(c.seconds), c.text) << c.seconds;
    }
}

struct Display {
    float width;
    float height;
    float scale;
};

// Tall enough that the body shows the whole page without scrolling.
class DashboardPageTest : public PageTest, public ::testing::WithParamInterface<Display> {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        MachineRecord() = Machine(40.0f, 6'979'321'856, 16 * kGiB, 200 * kGiB, 500 * kGiB);
    }
    static float S(float value) { return Scaled(value); }
    // Tile i of the first row.
    static ImRect Tile(int i) {
        const ImVec2 origin = PageOrigin();
        const float tileWidth = (PageWidth() - 3 * S(14)) / 4;
        const float x = origin.x + static_cast<float>(i) * (tileWidth + S(14));
        return ImRect(x, origin.y, x + tileWidth, origin.y + S(108));
    }
    // The band of a tile's bar, from the track's left end to its right end.
    static ImRect BarBand(int i) {
        const ImRect tile = Tile(i);
        return ImRect(tile.Min.x + S(16), tile.Max.y - S(16), tile.Max.x - S(16),
                      tile.Max.y - S(12));
    }
    static ImRect SessionCard() {
        const ImVec2 origin = PageOrigin();
        const float top = origin.y + S(108 + 14 + 252 + 14);
        return ImRect(origin.x, top, origin.x + PageWidth(), top + S(168));
    }
    // The centre of a quick-profile button, 0 to 2 from the top.
    static ImVec2 ProfileButton(int i) {
        const ImVec2 origin = PageOrigin();
        const float systemWidth = 0.6f * PageWidth() - S(7);
        const float cardWidth = PageWidth() - systemWidth - S(14);
        return ImVec2(origin.x + systemWidth + S(14) + S(18) + (cardWidth - S(36)) / 2,
                      origin.y + S(108 + 14) + S(136 + 38 * static_cast<float>(i)) + S(16));
    }
    static const ImDrawList* Body() { return Window("##body")->DrawList; }

    HeadlessImGui imgui{ImVec2(GetParam().width, GetParam().height), GetParam().scale};
};

TEST_P(DashboardPageTest, TheProcessorBarTurnsRedAbove85Percent) {
    struct Case {
        float cpu;
        ImU32 shown;
        ImU32 notShown;
    };
    for (const Case c : {Case{85.0f, ColAccent, ColDanger}, Case{85.1f, ColDanger, ColAccent}}) {
        SCOPED_TRACE(c.cpu);
        MachineRecord().CpuPercent = c.cpu;
        DrawFrames(2);
        const ImRect fill = FillBoxIn(Body(), c.shown, BarBand(0));
        ASSERT_FALSE(fill.IsInverted());
        EXPECT_NEAR(fill.GetWidth(), BarBand(0).GetWidth() * c.cpu / 100, 1.0f);
        EXPECT_TRUE(FillBoxIn(Body(), c.notShown, BarBand(0)).IsInverted());
    }
}

TEST_P(DashboardPageTest, BarsFillTheirShareOfTheTrack) {
    DrawFrames(2);
    const ImRect memory = FillBoxIn(Body(), ColSuccess, BarBand(1));
    ASSERT_FALSE(memory.IsInverted());
    EXPECT_NEAR(memory.Min.x, BarBand(1).Min.x, 1.0f);
    EXPECT_NEAR(memory.GetWidth(), BarBand(1).GetWidth() * 0.40625f, 1.0f);
    EXPECT_NEAR(memory.GetHeight(), S(4), 1.0f);

    const ImRect disk = FillBoxIn(Body(), ColAccent, BarBand(3));
    ASSERT_FALSE(disk.IsInverted());
    EXPECT_NEAR(disk.GetWidth(), BarBand(3).GetWidth() * 0.6f, 1.0f);

    // The adapter's tile has neither track nor fill.
    for (const ImU32 colour : {ColBorder, ColAccent, ColDanger, ColSuccess})
        EXPECT_TRUE(FillBoxIn(Body(), colour, BarBand(2)).IsInverted());
}

TEST_P(DashboardPageTest, AnAlmostFullDiskShowsTheDangerColour) {
    struct Case {
        std::uint64_t free;
        ImU32 colour;
    };
    for (const Case c : {Case{49 * kGiB, ColDanger}, Case{60 * kGiB, ColAccent}}) {
        SCOPED_TRACE(c.free);
        MachineRecord().DiskFree = c.free;
        DrawFrames(1);
        EXPECT_FALSE(FillBoxIn(Body(), c.colour, BarBand(3)).IsInverted());
    }
    // A full disk fills the whole track.
    MachineRecord().DiskFree = 0;
    DrawFrames(1);
    const ImRect full = FillBoxIn(Body(), ColDanger, BarBand(3));
    EXPECT_NEAR(full.GetWidth(), BarBand(3).GetWidth(), 1.0f);
}

TEST_P(DashboardPageTest, TheSystemRowsStackInsideTheirCard) {
    MachineRecord().HostName = u"SIMHOST";
    MachineRecord().OsName = u"Windows 11  build 22631";
    MachineRecord().BoardName = u"motherboard";
    MachineRecord().UptimeSeconds = 90'061;
    DrawFrames(1);
    const ImVec2 origin = PageOrigin();
    const float cardWidth = 0.6f * PageWidth() - S(7);
    const ImRect card(origin.x, origin.y + S(122), origin.x + cardWidth, origin.y + S(122 + 252));
    // Seven rows of 25 pixels from 60 down: the label on the left, the value on the right.
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const float top = card.Min.y + S(60 + 25 * static_cast<float>(i));
        const ImRect row(card.Min.x, top, card.Max.x, top + S(25) - 1);
        const ImRect label = ColourBoxIn(Body(), ColTextMuted, row);
        const ImRect value = ColourBoxIn(Body(), ColText, row);
        ASSERT_FALSE(label.IsInverted());
        ASSERT_FALSE(value.IsInverted());
        EXPECT_NEAR(label.Min.x, card.Min.x + S(18), S(2));
        EXPECT_NEAR(value.Max.x, card.Max.x - S(18), S(2));
    }
    EXPECT_TRUE(ColourBoxIn(Body(), ColText,
                            ImRect(card.Min.x, card.Min.y + S(60 + 175), card.Max.x, card.Max.y))
                    .IsInverted());
}

TEST_P(DashboardPageTest, TheSessionCardListsTheSixNewestLinesNewestFirst) {
    DrawFrames(1);
    const ImRect card = SessionCard();
    const auto row = [&](int line) {
        const float top = card.Min.y + S(42) + S(20) * static_cast<float>(line);
        return ImRect(card.Min.x + S(88), top, card.Max.x, top + S(20) - 1);
    };
    // Nothing logged yet: the one muted line where the first entry would be.
    const ImRect empty = ColourBoxIn(Body(), ColTextMuted,
                                     ImRect(card.Min.x, row(0).Min.y, card.Max.x, row(0).Max.y));
    ASSERT_FALSE(empty.IsInverted());
    EXPECT_NEAR(empty.GetWidth(), TextSize(FontBody, S(11), "no actions yet.").x, S(6));

    // Entry n has n × 3 letters, so each line's width tells which entry it is.
    for (int n = 1; n <= 9; ++n)
        LogAction(TestState(), std::string(static_cast<std::size_t>(3 * n), 'x'), LogKind::Success);
    DrawFrames(1);
    for (int line = 0; line < 6; ++line) {
        SCOPED_TRACE(line);
        const int entry = 9 - line;
        const ImRect text = ColourBoxIn(Body(), ColSuccess, row(line));
        ASSERT_FALSE(text.IsInverted());
        EXPECT_NEAR(text.Min.x, row(line).Min.x, S(6));
        EXPECT_NEAR(
            text.GetWidth(),
            TextSize(FontLabel, S(10), std::string(static_cast<std::size_t>(3 * entry), 'x')).x,
            S(6));
    }
    EXPECT_TRUE(
        ColourBoxIn(Body(), ColSuccess, ImRect(card.Min.x, row(6).Min.y, card.Max.x, card.Max.y))
            .IsInverted());
    // The times stand in the muted colour to the left of each message; the placeholder is gone.
    const ImRect times = ColourBoxIn(
        Body(), ColTextMuted, ImRect(card.Min.x, row(0).Min.y, row(0).Min.x - 1, card.Max.y));
    EXPECT_NEAR(times.GetWidth(), TextSize(FontLabel, S(10), "09:05:07").x, S(6));
}

TEST_P(DashboardPageTest, TheQuickProfileButtonsRunTheProfilesAndRevertAll) {
    // The one service of the profiles that has to be there to be switched off.
    sim::TheMachine().serviceManager.services[u"DiagTrack"] = {2, true, 0, false};
    DrawFrames(1);
    const AppState& state = TestState();
    Click(ProfileButton(1));
    EXPECT_EQ(Log(), (std::vector<std::string>{"profile Balanced : 11 tweaks"}));
    EXPECT_EQ(AppliedCount(state), 11u);
    for (const std::string_view id : ProfileTable[1].tweaks)
        EXPECT_TRUE(IsApplied(state, id)) << id;
    ASSERT_TRUE(sim::FileContent(StatePath()).has_value());

    Click(ProfileButton(0));
    for (const std::string_view id : ProfileTable[0].tweaks)
        EXPECT_TRUE(IsApplied(state, id)) << id;
    EXPECT_EQ(Log().back(), "profile Competitive : 10 tweaks");
    EXPECT_EQ(AppliedCount(state), 21u);

    Click(ProfileButton(2));
    // The simulated machine remembers no plan before, so the power plan falls back to
    // Balanced and says so, before the summary.
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "profile Balanced : 11 tweaks", "profile Competitive : 10 tweaks",
                         "power plan: the plan before is gone, Balanced set instead",
                         "revert all : 21 ok, 0 failures"}));
    EXPECT_EQ(AppliedCount(state), 0u);
}

INSTANTIATE_TEST_SUITE_P(ScaleOneAndOneAndAQuarter, DashboardPageTest,
                         ::testing::Values(Display{1120, 900, 1.0f}, Display{1400, 1000, 1.25f}));

class MetricTileTest : public ::testing::TestWithParam<float> {
  protected:
    static float S(float value) { return Scaled(value); }
    // One tile 200 × 108 at (40, 40) in a window covering the display; its draw list.
    const ImDrawList* DrawTile(const char* caption, float fraction) {
        const ImDrawList* list = nullptr;
        HeadlessImGui::Frame([&] {
            ImGui::SetNextWindowPos(ImVec2(0, 0));
            ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
            ImGui::Begin("##tiles", nullptr, ImGuiWindowFlags_NoDecoration);
            ImGui::SetCursorScreenPos(ImVec2(40, 40));
            MetricTile("LABEL", "VALUE", caption, fraction, ColSuccess, ImVec2(S(200), S(108)));
            list = ImGui::GetWindowDrawList();
            ImGui::End();
        });
        return list;
    }
    ImRect Band() const {
        return ImRect(40 + S(16), 40 + S(108 - 16), 40 + S(200 - 16), 40 + S(108 - 12));
    }
    HeadlessImGui imgui{ImVec2(800, 600), GetParam()};
};

TEST_P(MetricTileTest, TheFillIsCappedAtTheTrackAndASliverIsNotDrawn) {
    const float track = S(200 - 32);
    struct Case {
        float fraction;
        bool trackShown;
        float fill;  // 0: none
    };
    const Case cases[] = {
        {1.7f, true, track},
        {1.0f, true, track},
        {0.25f, true, track * 0.25f},
        // Exactly 2 layout pixels, then a little more.
        {2.0f / 168, true, 0},
        {2.2f / 168, true, track * 2.2f / 168},
        {0.0f, true, 0},
        {-1.0f, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fraction);
        const ImDrawList* list = DrawTile("caption", c.fraction);
        EXPECT_EQ(!FillBoxIn(list, ColBorder, Band()).IsInverted(), c.trackShown);
        const ImRect fill = FillBoxIn(list, ColSuccess, Band());
        if (c.fill == 0) {
            EXPECT_TRUE(fill.IsInverted());
        } else {
            ASSERT_FALSE(fill.IsInverted());
            EXPECT_NEAR(fill.Min.x, Band().Min.x, 1.0f);
            EXPECT_NEAR(fill.GetWidth(), c.fill, 1.0f);
        }
    }
}

TEST_P(MetricTileTest, AnEmptyCaptionIsNotDrawn) {
    EXPECT_TRUE(HeadlessImGui::HasColour(DrawTile("caption", -1), ColTextSecondary));
    EXPECT_FALSE(HeadlessImGui::HasColour(DrawTile("", -1), ColTextSecondary));
}

INSTANTIATE_TEST_SUITE_P(Scales, MetricTileTest, ::testing::Values(1.0f, 1.25f));

}  // namespace
