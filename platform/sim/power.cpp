// Simulated power schemes, and GUID text in the exact form of the COM functions.
#include <algorithm>
#include <cstdio>

#include "platform/power.h"
#include "platform/sim/sim.h"

namespace platform {
namespace {

constexpr std::uint32_t kClassStringError = 0x800401F3u;  // CO_E_CLASSSTRING

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The hexadecimal field of `digits` characters at `at`.
bool Field(const std::u16string& text, std::size_t at, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(text[at + static_cast<std::size_t>(i)]);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return true;
}

}  // namespace

Status PowerActiveScheme(Guid& scheme) {
    if (sim::TheMachine().power.readFails)
        return Status(kErrorAccessDenied);
    scheme = sim::TheMachine().power.active;
    return Status();
}

Status PowerSetActiveScheme(const Guid& scheme) {
    sim::PowerSchemes& power = sim::TheMachine().power;
    if (power.setDenied)
        return Status(kErrorAccessDenied);
    if (std::find(power.installed.begin(), power.installed.end(), scheme) ==
        power.installed.end()) {
        return Status(kErrorFileNotFound);
    }
    power.active = scheme;
    return Status();
}

int GuidToText(const Guid& guid, char16_t* buffer, int capacity) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.data1), unsigned{guid.data2}, unsigned{guid.data3},
                  unsigned{guid.data4[0]}, unsigned{guid.data4[1]}, unsigned{guid.data4[2]},
                  unsigned{guid.data4[3]}, unsigned{guid.data4[4]}, unsigned{guid.data4[5]},
                  unsigned{guid.data4[6]}, unsigned{guid.data4[7]});
    constexpr int kLength = 39;  // 38 characters and the NUL
    if (capacity < kLength)
        return 0;
    std::copy(text, text + kLength, buffer);
    return kLength;
}

Status GuidFromText(const std::u16string& text, Guid& guid) {
    if (text.size() != 38 || text[0] != u'{' || text[37] != u'}' || text[9] != u'-' ||
        text[14] != u'-' || text[19] != u'-' || text[24] != u'-') {
        return Status(kClassStringError);
    }
    Guid parsed;
    std::uint32_t value = 0;
    if (!Field(text, 1, 8, parsed.data1))
        return Status(kClassStringError);
    if (!Field(text, 10, 4, value))
        return Status(kClassStringError);
    parsed.data2 = static_cast<std::uint16_t>(value);
    if (!Field(text, 15, 4, value))
        return Status(kClassStringError);
    parsed.data3 = static_cast<std::uint16_t>(value);
    const std::size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!Field(text, byteAt[i], 2, value))
            return Status(kClassStringError);
        parsed.data4[i] = static_cast<std::uint8_t>(value);
    }
    guid = parsed;
    return Status();
}

}  // namespace platform
