// The platform-neutral start-up steps: which runs take the one-copy-per-user lock and what it
// is called, then the saved state loaded, the machine snapshot taken (and a held timer
// resolution taken up again), the parsed command line applied (a page switch sets
// the shell's CurrentPage), and an interactive run announced in the log (with a warning when the
// state file was there but unreadable).
#pragma once

#include <string>
#include <string_view>

#include "app/command_line.h"
#include "state/app_state.h"
#include "ui/shell_state.h"

// Two interactive copies of one user would each save over the other's captures, so an
// interactive run takes the lock before anything else; a screenshot run takes no part.
bool TakesInstanceLock(const CommandLineOptions& options);

// The lock's name for the user with this SID text. Global, because the user's state file is
// the same in every session.
std::u16string InstanceLockName(std::u16string_view userSid);

void StartSession(AppState& state, ShellState& shell, const CommandLineOptions& options);

// The first shutdown step, before the interface goes: the timer holder is withdrawn.
void EndSession(const AppState& state);
