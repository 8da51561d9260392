// Every operation a user can start, from the window or a script: each changes the machine
// against the AppState given, then does the bookkeeping (applied set, captures, the state
// file, one session-log line) and reports what happened.
#pragma once

#include <string_view>

#include "engine/outcome.h"
#include "net/dns.h"
#include "state/app_state.h"

// Applies the tweak when it is not applied, reverts it when it is; logs one line.
Outcome ToggleTweak(AppState& state, std::string_view id);
// Every SAFE reversible tweak not applied yet, in catalog order; logs "safe set : N tweaks".
Outcome ApplySafeSet(AppState& state);
// The profile's tweaks not applied yet, in its order; logs "profile NAME : N tweaks".
Outcome ApplyProfileTweaks(AppState& state, std::string_view name);
// Every applied tweak but the preinstalled apps; logs "revert all : N ok, M failures".
Outcome RevertEveryTweak(AppState& state);
// The preset's servers on the active interface, as the `dns` tweak; a preset in force is
// undone first. Logs "dns -> LABEL" or "dns: failed".
Outcome ApplyDnsPreset(AppState& state, const DnsPreset& preset);
// The interface's own servers back; logs "dns -> dhcp", or the revert's failure.
Outcome RevertDnsToDhcp(AppState& state);
// Removes the preinstalled packages; there is no undo.
Outcome RemovePreinstalledApps(AppState& state);
// Asks for a restore point on a worker unless one runs, and logs that it is in progress.
void RequestRestorePoint(AppState& state);
// Takes the worker's result, if any: logs it, and on success records and saves the flag.
void TakeRestorePointResult(AppState& state);
// Empties the in-memory log; the toast and session.log keep what they show.
void ClearLog(AppState& state);
// True while a restore-point worker runs; the header shows a busy label instead of the button.
bool RestorePointInProgress();
