// The native build of the frame benchmark: the simulated platform, the Inter files read
// from the dependency folder into the simulated resources, and the thread's processor time.
#include <time.h>

#include <fstream>
#include <iterator>
#include <string>

#include "bench/frame_machine.h"
#include "platform/sim/sim.h"
#include "ui/fonts.h"

namespace frame_bench {
namespace {

sim::Bytes FontFile(const char* name) {
    std::ifstream file(std::string(QF_FONT_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

void PrepareMachine() {
    sim::Reset();
    sim::TheMachine().resources[kResourceInterMedium] = FontFile("Inter-Medium.ttf");
    sim::TheMachine().resources[kResourceInterSemiBold] = FontFile("Inter-SemiBold.ttf");
    sim::TheMachine().resources[kResourceInterDisplayBold] = FontFile("InterDisplay-Bold.ttf");
    // A toast needs a tick after zero; the simulated clock then stands still.
    sim::TheMachine().tickMs = 100000;
}

std::uint64_t FrameClockNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
           static_cast<std::uint64_t>(now.tv_nsec);
}

const char* FrameClockName() {
    return "processor time of the thread";
}

}  // namespace frame_bench
