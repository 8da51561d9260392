// The pointer settings, run against the platform this executable links: the live values
// and the three texts in the user's profile, written only when asked to.
#include <gtest/gtest.h>

#include <string>

#include "actions/registry.h"
#include "platform/pointer.h"
#include "support/test_platform.h"

namespace {

std::u16string ProfileText(const char16_t* name) {
    RegistryCapture capture;
    if (!ReadRegistryValue(RegistryRoot::CurrentUser, u"Control Panel\\Mouse", name, capture)
             .Ok() ||
        !capture.existed) {
        return u"<absent>";
    }
    std::u16string text;
    for (std::size_t at = 0; at + 1 < capture.data.size(); at += 2) {
        const auto unit = static_cast<char16_t>(capture.data[at] | (capture.data[at + 1] << 8));
        if (unit == u'\0')
            break;
        text.push_back(unit);
    }
    return text;
}

class PointerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static_cast<void>(ScratchFolder());  // a fresh simulated machine where there is one
        ASSERT_TRUE(platform::PointerGetMouse(originalMouse).Ok());
    }
    void TearDown() override {
        static_cast<void>(platform::PointerSetMouse(
            originalMouse, platform::kSpifUpdateIniFile | platform::kSpifSendChange));
    }
    platform::MouseParameters originalMouse{};
};

TEST_F(PointerTest, SettingWithTheProfileUpdatesTheLiveValuesAndTheTexts) {
    ASSERT_TRUE(platform::PointerSetMouse({7, 12, 2},
                                          platform::kSpifUpdateIniFile | platform::kSpifSendChange)
                    .Ok());
    platform::MouseParameters live{};
    ASSERT_TRUE(platform::PointerGetMouse(live).Ok());
    EXPECT_EQ(live, (platform::MouseParameters{7, 12, 2}));
    EXPECT_EQ(ProfileText(u"MouseThreshold1"), u"7");
    EXPECT_EQ(ProfileText(u"MouseThreshold2"), u"12");
    EXPECT_EQ(ProfileText(u"MouseSpeed"), u"2");
}

TEST_F(PointerTest, SettingWithoutTheProfileLeavesTheTexts) {
    ASSERT_TRUE(platform::PointerSetMouse({4, 9, 1}, platform::kSpifUpdateIniFile).Ok());
    ASSERT_TRUE(platform::PointerSetMouse({0, 0, 0}, platform::kSpifSendChange).Ok());
    platform::MouseParameters live{};
    ASSERT_TRUE(platform::PointerGetMouse(live).Ok());
    EXPECT_EQ(live, (platform::MouseParameters{0, 0, 0}));
    EXPECT_EQ(ProfileText(u"MouseThreshold1"), u"4");
    EXPECT_EQ(ProfileText(u"MouseSpeed"), u"1");
}

}  // namespace
