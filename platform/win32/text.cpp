// UTF-8 <-> UTF-16 through the Windows code-page conversion.
#include "platform/text.h"

#include <windows.h>

namespace platform {

int Utf8ToUtf16(std::string_view text, char16_t* out, int capacity) {
    return MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                               reinterpret_cast<wchar_t*>(out), capacity);
}

int Utf16ToUtf8(std::u16string_view text, char* out, int capacity) {
    return WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(text.data()),
                               static_cast<int>(text.size()), out, capacity, nullptr, nullptr);
}

}  // namespace platform
