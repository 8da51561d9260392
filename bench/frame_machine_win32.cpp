// The Windows build of the frame benchmark, run under Wine: the real platform (the Network
// page asks the system for its adapters every frame), fonts from the executable's own
// resources. Wine counts a thread's processor time in whole clock ticks, far too coarse for
// one frame, so a frame is timed on the performance counter; the benchmark is the only busy
// thread of its process.
#include <windows.h>

#include "bench/frame_machine.h"

namespace frame_bench {

void PrepareMachine() {}

std::uint64_t FrameClockNs() {
    static const std::uint64_t frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return static_cast<std::uint64_t>(value.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    return ticks / frequency * 1000000000u + ticks % frequency * 1000000000u / frequency;
}

const char* FrameClockName() {
    return "elapsed time (performance counter)";
}

}  // namespace frame_bench
