// The simulated process runner: records every command line and answers with scripted exit
// codes.
#include "platform/processes.h"
#include "platform/sim/sim.h"

namespace platform {

Status RunHiddenProcess(const std::u16string& applicationPath, const std::u16string& commandLine,
                        std::uint32_t deadlineMs, std::uint32_t& exitCode) {
    sim::ProcessRunner& runner = sim::TheMachine().processes;
    exitCode = 1;
    if (runner.missingPrograms.count(applicationPath) > 0)
        return Status(kErrorFileNotFound);
    runner.runs.push_back({applicationPath, commandLine, deadlineMs});
    const auto scripted = runner.exitCodes.find(commandLine);
    exitCode = scripted != runner.exitCodes.end() ? scripted->second : runner.defaultExitCode;
    return Status();
}

std::u16string SystemDirectory() {
    return u"C:\\Windows\\system32";
}

}  // namespace platform
