// The simulated shell: every request is recorded; none starts anything.
#include "platform/shell.h"

#include "platform/sim/sim.h"

namespace platform {

Status ShellOpen(const std::u16string& verb, const std::u16string& file,
                 const std::u16string& parameters, std::int32_t showCommand) {
    sim::Shell& shell = sim::TheMachine().shell;
    shell.calls.push_back({verb, file, parameters, showCommand});
    return Status(shell.error);
}

}  // namespace platform
