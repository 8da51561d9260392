// The Tweaks page's filter rule, apart from the drawing.
#pragma once

#include <string>
#include <string_view>

#include "engine/catalog.h"

// A-Z become a-z; every other byte, UTF-8 ones included, stays as it is.
std::string LowerAscii(std::string_view text);

// True when the filter is empty or occurs, case-folded as above, as one run of bytes in
// "name category description". The id is not searched.
bool MatchesFilter(const TweakEntry& entry, std::string_view filter);
