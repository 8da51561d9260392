#include "platform/clock.h"
#include "platform/sim/sim.h"

namespace platform {

std::uint64_t TickCountMs() {
    return sim::machine().tickMs;
}

LocalTime LocalTimeNow() {
    return sim::machine().localTime;
}

}  // namespace platform
