// The Windows side of the frame loop's timing: a microsecond clock from the performance
// counter, the refresh rate of the window's monitor, and a wait of about a millisecond's
// precision that leaves the process's timer resolution alone (the timer-resolution tweak
// owns that).
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32/handle.h"

std::uint64_t PerformanceCounterUs();

// In hertz as the display settings report it; 0 when they cannot be read.
std::uint32_t MonitorRefreshHertz(HWND window);

class FrameTimer {
  public:
    // A high-resolution waitable timer where the system has one (Windows 10 1803 and
    // later); elsewhere an ordinary one, whose waits end on the system timer's ticks.
    FrameTimer();
    // Returns once PerformanceCounterUs() has reached `deadline`.
    void WaitUntilUs(std::uint64_t deadline);

  private:
    platform::win32::UniqueHandle timer_;
};
