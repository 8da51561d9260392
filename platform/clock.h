// Time, shaped like GetTickCount64 and GetLocalTime.
#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
};

std::uint64_t TickCountMs();
LocalTime LocalTimeNow();

}  // namespace platform
