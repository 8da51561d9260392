// One table of conversions, run against the platform this executable links: the simulation
// must give exactly what the Windows conversion gives.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text.h"
#include "state/text.h"
#include "support/test_platform.h"

namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
    // Wine swallows the bytes after a lead byte whose sequence runs past the end of the
    // input (Windows replaces only the broken piece); what Wine gives instead.
    std::optional<std::u16string> underWine = std::nullopt;
};

const Utf8Case kUtf8Cases[] = {
    {"empty", "", u""},
    {"one byte", "Az", u"Az"},
    {"two bytes", "\xC3\xA9", u"\u00E9"},
    {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
    {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"noncharacter kept", "\xEF\xBF\xBF", u"\uFFFF"},
    {"embedded nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    {"overlong two bytes", "\xC0\x80", u"\uFFFD\uFFFD"},
    {"overlong C1", "\xC1\xBF", u"\uFFFD\uFFFD"},
    {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD"},
    {"overlong four bytes", "\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
    {"surrogate in UTF-8", "\xED\xA0\x80", u"\uFFFD\uFFFD"},
    {"low surrogate in UTF-8", "\xED\xBF\xBF", u"\uFFFD\uFFFD"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"lead F5", "\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"byte FF", "\xFF", u"\uFFFD"},
    {"byte FE then letter",
     "\xFE"
     "A",
     u"\uFFFDA"},
    {"truncated three bytes then letter", "\xE2\x82\x41", u"\uFFFDA"},
    {"truncated three bytes at end", "\xE2\x82", u"\uFFFD"},
    {"truncated four bytes at end", "\xF0\x9F\x98", u"\uFFFD"},
    {"truncated four bytes then letters", "\xF0\x9F\x41\x42", u"\uFFFDAB"},
    {"truncated two bytes then letter", "\xC2\x41", u"\uFFFDA"},
    {"lone lead at end", "\xC2", u"\uFFFD"},
    {"stray continuation", "\x80", u"\uFFFD"},
    {"stray continuations between letters",
     "A\x80\xBF"
     "B",
     u"A\uFFFD\uFFFDB"},
    {"three-byte lead, letter, end", "\xE2\x41", u"\uFFFDA", u"\uFFFD"},
    {"four-byte lead, two bytes, letter, end", "\xF0\x9F\x41", u"\uFFFDA", u"\uFFFD"},
};

struct Utf16Case {
    const char* name;
    std::u16string utf16;
    std::string utf8;
};

const Utf16Case kUtf16Cases[] = {
    {"empty", u"", ""},
    {"one byte", u"Az", "Az"},
    {"two bytes", u"\u00E9", "\xC3\xA9"},
    {"three bytes", u"\u20AC", "\xE2\x82\xAC"},
    {"four bytes", u"\U0001F600", "\xF0\x9F\x98\x80"},
    {"noncharacters kept", u"\uFFFE\uFFFF", "\xEF\xBF\xBE\xEF\xBF\xBF"},
    {"embedded nul", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    {"unpaired high surrogate", u"\xD83D", "\xEF\xBF\xBD"},
    {"unpaired high surrogate then letter",
     u"\xD83D"
     u"A",
     "\xEF\xBF\xBD"
     "A"},
    {"unpaired low surrogate", u"\xDE00", "\xEF\xBF\xBD"},
    {"surrogates in the wrong order", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
};

std::u16string ExpectedUtf16(const Utf8Case& row) {
    return (row.underWine && RunningUnderWine()) ? *row.underWine : row.utf16;
}

TEST(TextConversion, Utf8ToUtf16MatchesTheWindowsConversion) {
    for (const Utf8Case& row : kUtf8Cases) {
        SCOPED_TRACE(row.name);
        const std::u16string expected = ExpectedUtf16(row);
        EXPECT_EQ(ToUtf16(row.utf8), expected);
        if (row.utf8.empty())
            continue;
        // The platform call itself: first the length, then the text in one go.
        const int length = platform::Utf8ToUtf16(row.utf8, nullptr, 0);
        ASSERT_EQ(length, static_cast<int>(expected.size()));
        std::u16string converted(static_cast<std::size_t>(length), u'\0');
        EXPECT_EQ(platform::Utf8ToUtf16(row.utf8, converted.data(), length), length);
        EXPECT_EQ(converted, expected);
    }
}

TEST(TextConversion, Utf16ToUtf8MatchesTheWindowsConversion) {
    for (const Utf16Case& row : kUtf16Cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ToUtf8(row.utf16), row.utf8);
        if (row.utf16.empty())
            continue;
        const int length = platform::Utf16ToUtf8(row.utf16, nullptr, 0);
        ASSERT_EQ(length, static_cast<int>(row.utf8.size()));
        std::string converted(static_cast<std::size_t>(length), '\0');
        EXPECT_EQ(platform::Utf16ToUtf8(row.utf16, converted.data(), length), length);
        EXPECT_EQ(converted, row.utf8);
    }
}

TEST(TextConversion, ValidTextRoundTrips) {
    const std::string text = "Quillfarrow \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 ok";
    EXPECT_EQ(ToUtf8(ToUtf16(text)), text);
}

}  // namespace
