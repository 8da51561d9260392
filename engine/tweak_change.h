// One tweak turned on or off, in two steps: the action changes the machine against the
// state it is given and reports a TweakChange (engine/apply.h, engine/revert.h); Record,
// on the interface thread, then does the bookkeeping. The action may run on another thread
// against a copy of the state, since it touches nothing but the machine and its change.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/outcome.h"
#include "state/app_state.h"
#include "state/refusal.h"

// The refusal of an id that no catalog entry has.
inline constexpr std::string_view kNotInCatalog = "not in the catalog";

enum class TweakDirection { Apply, Revert };

struct TweakChange {
    std::string id;
    TweakDirection direction = TweakDirection::Apply;
    // Ok, or the first refusal of the action.
    Result result;
    // A failed apply's putting back of what it changed. Refused, some change is still in
    // force: the captures are kept and the tweak recorded as applied, so that its revert can
    // be tried again.
    Result rollback;
    // An apply's captures, in the order taken (a failed attempt has put them back already),
    // and the BackupStore entries it set.
    std::vector<RegistryCapture> registryCaptures;
    std::vector<ServiceCapture> serviceCaptures;
    std::map<std::string, std::string, std::less<>> storeEntries;
    // BackupStore keys the change took away: a memory an apply could not take afresh, or
    // one a successful revert has used.
    std::vector<std::string> storeErased;
    // Warning lines for the log, on top of the change's own line.
    std::vector<std::string> notices;
};

// The bookkeeping of one change: the BackupStore entries taken in either case; after a
// success the applied set changed, the captures appended (apply) or dropped (revert) and the
// state file saved; after a failed apply the id's captures dropped, unless its rollback was
// refused too (then recorded and saved as after a success); after a failed revert nothing. Adds the
// id to the outcome's changed or failed tweaks and a failed save to its `saved`. Writes no log
// line.
void Record(AppState& state, TweakChange change, Outcome& outcome);
