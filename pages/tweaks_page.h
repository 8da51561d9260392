// The pieces of the Tweaks page that work without drawing: the filter field's text and the
// filter rule.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/catalog.h"
#include "state/app_state.h"

// 95 bytes of UTF-8 text and the terminating zero.
inline constexpr std::size_t kTweaksFilterCapacity = 96;

// The filter field's text: all zero at start, kept across page switches for the life of the
// process, never saved.
std::array<char, kTweaksFilterCapacity>& TweaksFilter();

// A-Z become a-z; every other byte, UTF-8 ones included, stays as it is.
std::string LowerAscii(std::string_view text);

// True when the filter is empty or occurs, case-folded as above, as one run of bytes in
// "name category description". The id is not searched.
bool MatchesFilter(const TweakEntry& entry, std::string_view filter);

