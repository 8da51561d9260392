#include "platform/clock.h"
#include "platform/sim/sim.h"

namespace platform {

std::uint64_t TickCountMs() {
    return sim::TheMachine().tickMs;
}

LocalTime LocalTimeNow() {
    return sim::TheMachine().localTime;
}

}  // namespace platform
