#include "state/text.h"

#include "platform/text.h"

std::string ToUtf8(std::u16string_view text) {
    if (text.empty())
        return {};
    const int length = platform::Utf16ToUtf8(text, nullptr, 0);
    if (length <= 0)
        return {};
    std::string result(static_cast<std::size_t>(length), '\0');
    result.resize(static_cast<std::size_t>(platform::Utf16ToUtf8(text, result.data(), length)));
    return result;
}

std::u16string ToUtf16(std::string_view text) {
    if (text.empty())
        return {};
    const int length = platform::Utf8ToUtf16(text, nullptr, 0);
    if (length <= 0)
        return {};
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    result.resize(static_cast<std::size_t>(platform::Utf8ToUtf16(text, result.data(), length)));
    return result;
}
