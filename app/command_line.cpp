#include "app/command_line.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace {

constexpr std::u16string_view kPagePrefix = u"--page=";
constexpr std::u16string_view kShotPrefix = u"--shot=";
constexpr int kPageCount = 6;

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// wcstol in base 10 with a Windows long (32 bits): leading white space and a sign taken,
// stops at the first non-digit, 0 without digits, saturates when out of range.
std::int32_t ParseLong(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        magnitude = std::min(magnitude * 10 + (text[at] - u'0'), kLimit);
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::u16string>& arguments) {
    CommandLineOptions options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::u16string_view argument = arguments[i];
        if (argument.size() < kPagePrefix.size())
            continue;
        if (argument.starts_with(kPagePrefix)) {
            const auto value =
                static_cast<std::uint32_t>(ParseLong(argument.substr(kPagePrefix.size())));
            if (value < kPageCount)
                options.page = static_cast<int>(value);
        } else if (argument.starts_with(kShotPrefix)) {
            options.screenshotPath = std::u16string(argument.substr(kShotPrefix.size()));
        }
    }
    return options;
}
