// Case-insensitive ordering of UTF-16 names, as Windows compares paths and registry names
// (letters folded to upper case; the simulation folds ASCII and Latin-1 letters).
#pragma once

#include <algorithm>
#include <string_view>

namespace sim {

constexpr char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 0x20);
    }
    return c;
}

struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char16_t x, char16_t y) { return FoldCase(x) < FoldCase(y); });
    }
};

inline bool SameNoCase(std::u16string_view a, std::u16string_view b) {
    return !NoCaseLess{}(a, b) && !NoCaseLess{}(b, a);
}

}  // namespace sim
