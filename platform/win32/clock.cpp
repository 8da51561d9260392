// Time through kernel32.
#include "platform/clock.h"

#include <windows.h>

namespace platform {

std::uint64_t TickCountMs() {
    return GetTickCount64();
}

LocalTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wHour, now.wMinute, now.wSecond};
}

}  // namespace platform
