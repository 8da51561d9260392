// The Inter fonts compiled into the executable reach the ImGui atlas through the real
// resource calls.
#include <gtest/gtest.h>

#include <imgui.h>

#include <cstring>

#include "platform/resources.h"
#include "ui/fonts.h"

namespace {

bool HoldsResource(const ImFont* font, int id) {
    const std::span<const std::uint8_t> bytes = platform::RcDataResource(id);
    const ImFontConfig* source = font->Sources[0];
    return bytes.size() > 100000 && source->FontDataSize == static_cast<int>(bytes.size()) &&
           std::memcmp(source->FontData, bytes.data(), bytes.size()) == 0;
}

TEST(FontsFromResources, AllFourComeFromTheExecutable) {
    ImGui::CreateContext();
    LoadFonts();
    const ImVector<ImFont*>& fonts = ImGui::GetIO().Fonts->Fonts;
    EXPECT_EQ(fonts.Size, 4);
    // ImGui keeps its own copy of memory it does not own, so the bytes are compared.
    EXPECT_TRUE(HoldsResource(FontBody, kResourceInterMedium));
    EXPECT_TRUE(HoldsResource(FontSemibold, kResourceInterSemiBold));
    EXPECT_TRUE(HoldsResource(FontLabel, kResourceInterMedium));
    EXPECT_TRUE(HoldsResource(FontDisplay, kResourceInterDisplayBold));
    EXPECT_EQ(FontLabel->LegacySize, 15.0f);
    EXPECT_EQ(ImGui::GetIO().FontDefault, FontBody);
    ImGui::DestroyContext();
}

}  // namespace
