#include <gtest/gtest.h>

#include <imgui.h>

#include "ui/palette.h"
#include "ui/scale.h"
#include "ui/theme.h"

namespace {

class ThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ImGui::CreateContext();
        UiScale = 1.5f;
    }
    void TearDown() override {
        UiScale = 1.0f;
        ImGui::DestroyContext();
    }
};

void ExpectColour(const ImVec4& actual, float r, float g, float b, float a, const char* name) {
    EXPECT_NEAR(actual.x, r, 1e-5) << name;
    EXPECT_NEAR(actual.y, g, 1e-5) << name;
    EXPECT_NEAR(actual.z, b, 1e-5) << name;
    EXPECT_NEAR(actual.w, a, 1e-5) << name;
}

TEST_F(ThemeTest, SizesScaleWithTheUi) {
    const ImGuiStyle defaults = ImGui::GetStyle();
    ApplyTheme();
    const ImGuiStyle& style = ImGui::GetStyle();
    EXPECT_FLOAT_EQ(style.FrameRounding, 12.0f);
    EXPECT_FLOAT_EQ(style.FramePadding.x, 18.0f);
    EXPECT_FLOAT_EQ(style.FramePadding.y, 10.5f);
    EXPECT_FLOAT_EQ(style.ScrollbarSize, 6.0f);
    EXPECT_FLOAT_EQ(style.PopupRounding, 15.0f);
    EXPECT_FLOAT_EQ(style.ItemSpacing.x, 12.0f);
    EXPECT_FLOAT_EQ(style.CellPadding.y, 6.0f);
    EXPECT_FLOAT_EQ(style.TabRounding, 10.5f);
    EXPECT_FLOAT_EQ(style.WindowPadding.x, 0.0f);
    EXPECT_FLOAT_EQ(style.WindowRounding, 0.0f);
    EXPECT_FLOAT_EQ(style.ButtonTextAlign.x, 0.5f);
    EXPECT_FLOAT_EQ(style.SelectableTextAlign.y, 0.5f);
    // Fields the theme does not name keep the context's values.
    EXPECT_EQ(style.Alpha, defaults.Alpha);
    EXPECT_EQ(style.FontSizeBase, defaults.FontSizeBase);
    EXPECT_EQ(style.FontScaleMain, defaults.FontScaleMain);
    EXPECT_EQ(style.IndentSpacing, defaults.IndentSpacing);
}

TEST_F(ThemeTest, ColoursComeFromThePalette) {
    ApplyTheme();
    const ImVec4* colors = ImGui::GetStyle().Colors;
    ExpectColour(colors[ImGuiCol_Text], 0.925490f, 0.925490f, 0.952941f, 1, "Text");
    ExpectColour(colors[ImGuiCol_WindowBg], 0.043137f, 0.039216f, 0.062745f, 1, "WindowBg");
    ExpectColour(colors[ImGuiCol_ChildBg], 0, 0, 0, 0, "ChildBg");
    ExpectColour(colors[ImGuiCol_ScrollbarGrab], 0.96f, 0.65f, 0.14f, 0.28f, "ScrollbarGrab");
    ExpectColour(colors[ImGuiCol_TextSelectedBg], 0.960784f, 0.647059f, 0.141176f, 0.086275f,
                 "TextSelectedBg");
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(colors[ImGuiCol_NavCursor]), ColAccent);
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(colors[ImGuiCol_SliderGrabActive]), ColAccentBright);
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(colors[ImGuiCol_Border]), ColBorder);
}

TEST(Palette, PacksRgbaTheWayImGuiReadsIt) {
    EXPECT_EQ(ColCanvas, IM_COL32(0x08, 0x07, 0x0C, 0xFF));
    EXPECT_EQ(Rgba(0xF5A52416), IM_COL32(0xF5, 0xA5, 0x24, 0x16));
}

}  // namespace
