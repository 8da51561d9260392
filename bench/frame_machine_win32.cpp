// The Windows build of the frame benchmark, run under Wine: the real platform (the Network
// page asks the system for its adapters every frame), fonts from the executable's own
// resources. Wine counts a thread's processor time in whole clock ticks, far too coarse for
// one frame, so a frame is timed on the performance counter; the benchmark is the only busy
// thread of its process.
#include "app/frame_timer_win32.h"
#include "bench/frame_machine.h"

namespace frame_bench {

void PrepareMachine() {}

std::uint64_t FrameClockNs() {
    return PerformanceCounterUs() * 1000;
}

const char* FrameClockName() {
    return "elapsed time (performance counter)";
}

}  // namespace frame_bench
