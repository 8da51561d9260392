// The platform-neutral start-up steps: the saved state is loaded, the machine snapshot
// taken (and a held timer resolution taken up again), the command line read
// (a page switch sets CurrentPage), and an interactive run announces itself in the log.
#pragma once

#include "app/command_line.h"
#include "state/app_state.h"

CommandLineOptions StartSession(AppState& state);

// The first shutdown step, before the interface goes: the timer holder is withdrawn.
void EndSession(const AppState& state);
