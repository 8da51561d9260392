// The platform-neutral start-up steps: the saved state is loaded (and a held timer
// resolution taken up again), the parsed command line applied (a page switch sets
// CurrentPage), and an interactive run announces itself in the log.
#pragma once

#include "app/command_line.h"
#include "state/app_state.h"

void StartSession(AppState& state, const CommandLineOptions& options);

// The first shutdown step, before the interface goes: the timer holder is withdrawn.
void EndSession(const AppState& state);
