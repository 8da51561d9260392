#include "platform/process.h"
#include "platform/sim/sim.h"

namespace platform {

std::vector<std::u16string> CommandLineArguments() {
    return sim::TheMachine().arguments;
}

}  // namespace platform
