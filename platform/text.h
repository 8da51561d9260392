// UTF-8 <-> UTF-16 conversion, shaped like MultiByteToWideChar and WideCharToMultiByte with
// CP_UTF8 and flags 0: invalid input becomes U+FFFD, never an error. A capacity of 0 asks
// for the length the conversion needs; the result is the number of units written (or
// needed), 0 on failure.
#pragma once

#include <string_view>

namespace platform {

[[nodiscard]] int Utf8ToUtf16(std::string_view text, char16_t* out, int capacity);
[[nodiscard]] int Utf16ToUtf8(std::u16string_view text, char* out, int capacity);

}  // namespace platform
