// The widget kit in headless Dear ImGui frames: sizes, clicks through the input queue, and
// text cut to a width.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <string>

#include "support/headless_imgui.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/shell_state.h"
#include "ui/widgets.h"

namespace {

class WidgetsTest : public ::testing::TestWithParam<float> {
  protected:
    HeadlessImGui imgui{ImVec2(1120, 720), GetParam()};

    static float S(float value) { return value * GetParam(); }
    static float Width(const std::string& text, float size) {
        return FontBody->CalcTextSizeA(size * UiScale, FLT_MAX, 0, text.c_str()).x;
    }
    // Runs one frame inside a window covering the display.
    template <typename Draw>
    static void Frame(Draw draw) {
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("##test", nullptr, ImGuiWindowFlags_NoDecoration);
        draw();
        ImGui::End();
        ImGui::Render();
    }
    // Whether any vertex of the test window's draw list has this colour.
    static bool DrawsColour(ImU32 colour) {
        for (const ImDrawList* list : ImGui::GetDrawData()->CmdLists) {
            for (const ImDrawVert& vertex : list->VtxBuffer) {
                if (vertex.col == colour)
                    return true;
            }
        }
        return false;
    }
};

TEST_P(WidgetsTest, TruncationKeepsWhatFitsAndCutsTheRestWithAnEllipsis) {
    std::string fits;
    std::string longText(200, 'x');
    std::string cut;
    std::string tiny;
    std::string none;
    Frame([&] {
        fits = TruncateWithEllipsis("short", FontBody, 12, S(400));
        cut = TruncateWithEllipsis(longText, FontBody, 12, S(100));
        tiny = TruncateWithEllipsis(longText, FontBody, 12, 1);
        none = TruncateWithEllipsis(longText, FontBody, 12, 0);
    });
    EXPECT_EQ(fits, "short");
    ASSERT_GT(cut.size(), 3u);
    EXPECT_TRUE(cut.ends_with("..."));
    EXPECT_LE(Width(cut, 12), S(100));
    EXPECT_GT(Width(cut.substr(0, cut.size() - 3) + "x...", 12), S(100));
    EXPECT_EQ(tiny, "...");
    EXPECT_EQ(none, "");
}

TEST_P(WidgetsTest, TruncationNeverCutsACharacterInHalf) {
    // "é" is two bytes; every cut must end on a whole character before the ellipsis.
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "\xC3\xA9";
    for (float width = 10; width < 120; width += 3) {
        std::string cut;
        Frame([&] { cut = TruncateWithEllipsis(text, FontBody, 12, S(width)); });
        ASSERT_TRUE(cut.ends_with("..."));
        EXPECT_EQ((cut.size() - 3) % 2, 0u) << width;
    }
}

TEST_P(WidgetsTest, ABadgeIsItsTextAndFourteenScaledPixelsWide) {
    float first = 0;
    float second = 0;
    Frame([&] {
        first = DrawBadge(ImVec2(10, 10), "SAFE", ColSuccess, ColSurface);
        second = DrawBadge(ImVec2(10 + first + S(6), 10), "IRREV", ColDanger, ColSurface);
    });
    const float safe = FontSemibold->CalcTextSizeA(S(9.5f), FLT_MAX, 0, "SAFE").x;
    EXPECT_FLOAT_EQ(first, safe + S(14));
    EXPECT_GT(second, S(14));
    EXPECT_TRUE(DrawsColour(ColSurface));
}

TEST_P(WidgetsTest, AStyledButtonIsTrueOnceOnReleaseNeverWhileHovered) {
    ImGuiIO& io = ImGui::GetIO();
    const ImVec2 inside(30, 20);
    int clicks = 0;
    const auto frame = [&] {
        Frame([&] {
            if (StyledButton("##apply", ColText, ColAccent, ColAccentBright, ImVec2(S(120), S(34))))
                ++clicks;
        });
    };
    io.AddMousePosEvent(inside.x, inside.y);
    frame();
    frame();
    EXPECT_EQ(clicks, 0);  // hovered only
    io.AddMouseButtonEvent(0, true);
    frame();
    EXPECT_EQ(clicks, 0);  // pressed, not yet released
    io.AddMouseButtonEvent(0, false);
    frame();
    EXPECT_EQ(clicks, 1);
    frame();
    EXPECT_EQ(clicks, 1);
}

TEST_P(WidgetsTest, AHeaderIsAnItemOfTheGivenWidthInTheAccentColour) {
    ImRect item;
    Frame([&] {
        SectionHeader("System", 12, S(600));
        item = ImGui::GetCurrentContext()->LastItemData.Rect;
    });
    EXPECT_FLOAT_EQ(item.GetWidth(), S(600));
    EXPECT_FLOAT_EQ(item.GetHeight(), S(22));
    EXPECT_TRUE(DrawsColour(ColAccent));
    EXPECT_TRUE(DrawsColour(ColTextMuted));
}

TEST_P(WidgetsTest, ARowWithALongValueKeepsItsLabelClear) {
    const std::string value(300, 'v');
    ImRect item;
    Frame([&] {
        KeyValueRow("Adapter", value.c_str(), S(400));
        item = ImGui::GetCurrentContext()->LastItemData.Rect;
    });
    EXPECT_FLOAT_EQ(item.GetWidth(), S(400));
    EXPECT_FLOAT_EQ(item.GetHeight(), S(25));
    std::string shown;
    Frame([&] { shown = TruncateWithEllipsis(value, FontBody, 12, S(400) - S(150)); });
    // Right-aligned, so its left end is at least 150 scaled pixels from the row's left edge.
    EXPECT_LE(Width(shown, 12), S(250));
    EXPECT_TRUE(shown.ends_with("..."));
}

INSTANTIATE_TEST_SUITE_P(UiScales, WidgetsTest, ::testing::Values(1.0f, 1.25f));

}  // namespace
