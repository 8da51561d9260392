// Which sources LoadFonts takes, on the simulated platform: the Inter resources when they
// are there, the system files next, ImGui's built-in font last.
#include <gtest/gtest.h>

#include <imgui.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "support/sim_fixture.h"
#include "ui/fonts.h"

namespace {

sim::Bytes FontFile(const char* name) {
    std::ifstream file(std::string(QF_FONT_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class FontsTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        ImGui::CreateContext();
    }
    void TearDown() override { ImGui::DestroyContext(); }
    static const ImVector<ImFont*>& AtlasFonts() { return ImGui::GetIO().Fonts->Fonts; }
    static bool IsBuiltIn(const ImFont* font) {
        return std::string(font->Sources[0]->Name).rfind("ProggyClean", 0) == 0;
    }
};

TEST_F(FontsTest, TheResourcesGiveFourFontsAndNoFileIsTouched) {
    sim::TheMachine().resources[kResourceInterMedium] = FontFile("Inter-Medium.ttf");
    sim::TheMachine().resources[kResourceInterSemiBold] = FontFile("Inter-SemiBold.ttf");
    sim::TheMachine().resources[kResourceInterDisplayBold] = FontFile("InterDisplay-Bold.ttf");
    ASSERT_GT(sim::TheMachine().resources[kResourceInterMedium].size(), 100000u);
    LoadFonts();
    ASSERT_EQ(AtlasFonts().Size, 4);
    EXPECT_EQ(AtlasFonts()[0], FontBody);
    EXPECT_EQ(AtlasFonts()[1], FontSemibold);
    EXPECT_EQ(AtlasFonts()[2], FontLabel);
    EXPECT_EQ(AtlasFonts()[3], FontDisplay);
    const float sizes[] = {18, 18, 15, 34};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(AtlasFonts()[i]->LegacySize, sizes[i]) << i;
    // Resource 201 twice: the body and the label font hold the same bytes.
    const sim::Bytes& medium = sim::TheMachine().resources[kResourceInterMedium];
    for (const ImFont* font : {FontBody, FontLabel}) {
        const ImFontConfig* source = font->Sources[0];
        ASSERT_EQ(source->FontDataSize, static_cast<int>(medium.size()));
        EXPECT_EQ(std::memcmp(source->FontData, medium.data(), medium.size()), 0);
        EXPECT_EQ(source->OversampleH, 2);
        EXPECT_EQ(source->OversampleV, 1);
        EXPECT_FALSE(source->PixelSnapH);
    }
    EXPECT_TRUE(sim::TheMachine().attributeQueries.empty());
    EXPECT_EQ(ImGui::GetIO().FontDefault, FontBody);
    EXPECT_EQ(ImGui::GetIO().IniFilename, nullptr);
}

TEST_F(FontsTest, WithNothingAvailableEachHandleGetsItsOwnBuiltInFont) {
    LoadFonts();
    ASSERT_EQ(AtlasFonts().Size, 4);
    for (const ImFont* font : {FontBody, FontSemibold, FontLabel, FontDisplay}) {
        ASSERT_NE(font, nullptr);
        EXPECT_TRUE(IsBuiltIn(font)) << font->Sources[0]->Name;
    }
    // Both fallback files of each handle were looked for, in order.
    const std::vector<std::u16string> asked = {
        u"C:\\Windows\\Fonts\\segoeui.ttf",      u"C:\\Windows\\Fonts\\SegUIVar.ttf",
        u"C:\\Windows\\Fonts\\seguisb.ttf",      u"C:\\Windows\\Fonts\\segoeuib.ttf",
        u"C:\\Windows\\Fonts\\CascadiaMono.ttf", u"C:\\Windows\\Fonts\\consola.ttf",
        u"C:\\Windows\\Fonts\\bahnschrift.ttf",  u"C:\\Windows\\Fonts\\seguisb.ttf"};
    EXPECT_EQ(sim::TheMachine().attributeQueries, asked);
    EXPECT_EQ(ImGui::GetIO().FontDefault, FontBody);
}

TEST_F(FontsTest, AResourceTooShortToBeAFontFallsBack) {
    sim::TheMachine().resources[kResourceInterMedium] = sim::Bytes(15, 0);
    sim::TheMachine().resources[kResourceInterSemiBold] = FontFile("Inter-SemiBold.ttf");
    sim::TheMachine().resources[kResourceInterDisplayBold] = FontFile("InterDisplay-Bold.ttf");
    LoadFonts();
    EXPECT_EQ(AtlasFonts().Size, 4);
    EXPECT_TRUE(IsBuiltIn(FontBody));
    EXPECT_TRUE(IsBuiltIn(FontLabel));
    EXPECT_FALSE(IsBuiltIn(FontSemibold));
    EXPECT_FALSE(IsBuiltIn(FontDisplay));
    EXPECT_EQ(sim::TheMachine().attributeQueries.size(), 4u);
}

TEST_F(FontsTest, AFolderNamedLikeAFallbackIsNotLoaded) {
    ASSERT_TRUE(platform::CreateDirectoryTree(u"C:\\Windows\\Fonts\\segoeui.ttf").Ok());
    LoadFonts();
    EXPECT_TRUE(IsBuiltIn(FontBody));
}

}  // namespace
