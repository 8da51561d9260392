// The only conversions between the system's two text forms: UTF-8 for ids, messages and
// everything drawn; UTF-16 for paths, registry, services and command lines. Invalid input
// becomes U+FFFD; neither conversion fails.
#pragma once

#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);
std::u16string ToUtf16(std::string_view text);
