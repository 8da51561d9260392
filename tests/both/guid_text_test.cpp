// GUID text as the COM functions write and read it, against the platform this executable
// links.
#include <gtest/gtest.h>

#include "platform/power.h"

namespace {

const platform::Guid kHigh = {
    0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}};

TEST(GuidText, IsUpperCaseWithBracesAndParsesBack) {
    char16_t text[64] = {};
    ASSERT_EQ(platform::GuidToText(kHigh, text, 64), 39);
    EXPECT_EQ(std::u16string(text), u"{8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C}");
    platform::Guid parsed;
    EXPECT_TRUE(platform::Succeeded(platform::GuidFromText(text, parsed)));
    EXPECT_EQ(parsed, kHigh);
    EXPECT_EQ(platform::GuidToText(kHigh, text, 38), 0);  // one unit short of the NUL
}

TEST(GuidText, ParsingAcceptsOnlyTheBracedForm) {
    const struct {
        std::u16string text;
        bool parses;
    } rows[] = {
        {u"{8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c}", true},
        {u"{00000000-0000-0000-0000-000000000000}", true},
        {u"8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C", false},
        {u"{8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635}", false},
        {u"{8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635CX}", false},
        {u"{8C5E7FDA-E8BF-4A96-9A85_A6E23A8C635C}", false},
        {u"{GC5E7FDA-E8BF-4A96-9A85-A6E23A8C635C}", false},
        {u"", false},
    };
    for (const auto& row : rows) {
        platform::Guid parsed;
        EXPECT_EQ(platform::Succeeded(platform::GuidFromText(row.text, parsed)), row.parses)
            << std::string(row.text.begin(), row.text.end());
    }
    platform::Guid lower;
    ASSERT_TRUE(platform::Succeeded(
        platform::GuidFromText(u"{8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c}", lower)));
    EXPECT_EQ(lower, kHigh);
}

}  // namespace
