// Every operation a user can start, from the window or a script: each runs the actions
// (engine/apply.h, engine/revert.h), records each change (Record, engine/tweak_change.h),
// logs its line with the reasons of what failed (LogEntry::reason) and reports an Outcome.
#pragma once

#include <string_view>

#include "engine/outcome.h"
#include "net/dns.h"
#include "state/app_state.h"

// Turns the tweak on and logs "applied  NAME" or "failed  NAME". Nothing happens, and
// nothing is logged, when it is applied already; an id not in the catalog fails silently.
Outcome ApplyTweak(AppState& state, std::string_view id);
// Turns the tweak off and logs "reverted  NAME" or "revert failed  NAME". Nothing happens,
// and nothing is logged, when it is not applied; an id not in the catalog fails silently.
Outcome RevertTweak(AppState& state, std::string_view id);
// RevertTweak when the tweak is applied, ApplyTweak when not; a refused revert of the
// preinstalled apps adds "irreversible: preinstalled apps".
Outcome ToggleTweak(AppState& state, std::string_view id);
// Every SAFE reversible tweak not applied yet, in catalog order; logs "safe set : N tweaks".
Outcome ApplySafeSet(AppState& state);
// The profile's tweaks not applied yet, in its order; logs "profile NAME : N tweaks". A name
// not in the table is refused ("not a profile") and logs nothing.
Outcome ApplyProfileTweaks(AppState& state, std::string_view name);
// Every applied tweak but the preinstalled apps, in the applied set's order; logs
// "revert all : N ok, M failures".
Outcome RevertEveryTweak(AppState& state);
// The preset's servers on the active interface: BackupStore "dns.v4" and "dns.v4b", then
// the `dns` tweak's own apply. A preset in force is reverted first, without a line of its
// own; when that fails it stays in force. Logs "dns -> LABEL" or "dns: failed".
Outcome ApplyDnsPreset(AppState& state, const DnsPreset& preset);
// RevertTweak of `dns`, then "dns -> dhcp" unless it failed.
Outcome RevertDnsToDhcp(AppState& state);
// ApplyTweak of the preinstalled apps; there is no undo.
Outcome RemovePreinstalledApps(AppState& state);
// Asks for a restore point on a worker unless one runs, and logs that it is in progress. A
// report of the worker before that is still waiting is taken first.
// What the worker comes to is taken by TakeRestorePointResult.
void RequestRestorePoint(AppState& state);
// Takes the worker's report, if any, and logs it; a new point sets RestorePointCreated and
// saves. A refusal is the outcome's `refused`: SRSetRestorePointW's status, or CreateThread's
// code when the worker could not start.
Outcome TakeRestorePointResult(AppState& state);
// Empties the in-memory log; the toast and session.log keep what they show.
void ClearLog(AppState& state);
// True while a restore-point worker runs; the header shows a busy label instead of the button.
bool RestorePointInProgress();
