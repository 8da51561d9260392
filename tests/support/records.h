// The records the program works on, and what it recorded, as lists a test compares in one
// line: the session log's messages and the command lines the simulated process runner saw.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "state/app_state.h"
#include "ui/shell_state.h"

// The records a test hands to the frame and the pages, as the program's host hands its own;
// fixtures reset them around each test.
inline AppState& TestState() {
    static AppState state;
    return state;
}
inline ShellState& TestShell() {
    static ShellState shell;
    return shell;
}

inline std::vector<std::string> LogMessages() {
    std::vector<std::string> lines;
    for (const LogEntry& entry : TestState().LogEntries)
        lines.push_back(entry.message);
    return lines;
}

inline std::vector<std::u16string> CommandLines() {
    std::vector<std::u16string> lines;
    for (const sim::ProcessRun& run : sim::TheMachine().processes.runs)
        lines.push_back(run.commandLine);
    return lines;
}
