#include "app/frame_timer_win32.h"

namespace {

// Not in every SDK's headers.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

}  // namespace

std::uint64_t PerformanceCounterUs() {
    static const std::uint64_t frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return static_cast<std::uint64_t>(value.QuadPart);
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
    // In two parts, so that the product cannot overflow.
    return ticks / frequency * 1'000'000 + ticks % frequency * 1'000'000 / frequency;
}

std::uint32_t MonitorRefreshHertz(HWND window) {
    MONITORINFOEXW monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return 0;
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return 0;
    return mode.dmDisplayFrequency;
}

FrameTimer::FrameTimer() {
    timer_ = platform::win32::UniqueHandle(
        CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
    if (timer_.get() == nullptr) {
        timer_ = platform::win32::UniqueHandle(
            CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    }
}

void FrameTimer::WaitUntilUs(std::uint64_t deadline) {
    const std::uint64_t now = PerformanceCounterUs();
    if (deadline <= now)
        return;
    const std::uint64_t remaining = deadline - now;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(remaining * 10);  // relative, in 100 ns units
    if (timer_.get() != nullptr &&
        SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer_.get(), INFINITE);
        return;
    }
    ::Sleep(static_cast<DWORD>(remaining / 1000));
}
