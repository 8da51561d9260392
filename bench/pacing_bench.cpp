// What the main loop's pacing has to work with where it runs: the refresh rate that the
// display settings report for the primary monitor (the loop takes 60 Hz for 0), and how far
// the frame timer's waits of 5 ms overshoot. Prints them; asserts nothing.
//
//     qf_pacing_bench [waits, default 200]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "app/frame_timer_win32.h"

int wmain(int argc, wchar_t** argv) {
    const int waits =
        argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 200;
    std::printf("refresh rate of the primary monitor, as the display settings report it: %u Hz\n",
                static_cast<unsigned>(MonitorRefreshHertz(nullptr)));

    constexpr std::uint64_t kWaitUs = 5000;
    FrameTimer timer;
    std::vector<double> overshootMs;
    for (int i = 0; i < waits; ++i) {
        const std::uint64_t deadline = PerformanceCounterUs() + kWaitUs;
        timer.WaitUntilUs(deadline);
        const auto late = static_cast<std::int64_t>(PerformanceCounterUs() - deadline);
        overshootMs.push_back(static_cast<double>(late) / 1000.0);
    }
    std::sort(overshootMs.begin(), overshootMs.end());
    double sum = 0;
    for (const double value : overshootMs)
        sum += value;
    std::printf(
        "frame timer, %d waits of 5 ms: overshoot mean %.2f ms, median %.2f ms,"
        " 95th percentile %.2f ms, largest %.2f ms\n",
        waits, sum / waits, overshootMs[overshootMs.size() / 2],
        overshootMs[overshootMs.size() * 95 / 100], overshootMs.back());
    return 0;
}
