// What the program recorded, as lists a test compares in one line: the session log's
// messages and the command lines the simulated process runner saw.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "state/app_state.h"

inline std::vector<std::string> LogMessages() {
    std::vector<std::string> lines;
    for (const LogEntry& entry : TheAppState().LogEntries)
        lines.push_back(entry.message);
    return lines;
}

inline std::vector<std::u16string> CommandLines() {
    std::vector<std::u16string> lines;
    for (const sim::ProcessRun& run : sim::machine().processes.runs)
        lines.push_back(run.commandLine);
    return lines;
}
