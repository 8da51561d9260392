// Power schemes and GUID text, shaped like PowerGetActiveScheme (with LocalFree of its
// result), PowerSetActiveScheme, StringFromGUID2 and CLSIDFromString.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace platform {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};
    bool operator==(const Guid&) const = default;
};

[[nodiscard]] Status PowerActiveScheme(Guid& scheme);
[[nodiscard]] Status PowerSetActiveScheme(const Guid& scheme);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in a buffer of 64 units; the number of
// characters written including the NUL, 0 when it did not fit.
int GuidToText(const Guid& guid, char16_t* buffer, int capacity);
// The status is an HRESULT: negative (high bit set) on failure.
[[nodiscard]] Status GuidFromText(const std::u16string& text, Guid& guid);

inline bool Succeeded(const Status& hresultStatus) {
    return (hresultStatus.Code() & 0x80000000u) == 0;
}

}  // namespace platform
