// A tweak turned on or off by the engine's action and bookkeeping alone, without an
// operation's log line: for setting a machine up before what a test looks at.
#pragma once

#include <ostream>
#include <string_view>

#include "engine/apply.h"
#include "engine/outcome.h"
#include "engine/revert.h"
#include "engine/tweak_change.h"
#include "support/refusal_print.h"

inline Outcome ApplyQuietly(AppState& state, std::string_view id) {
    Outcome outcome;
    Record(state, RunApply(state, id), outcome);
    return outcome;
}

inline Outcome RevertQuietly(AppState& state, std::string_view id) {
    Outcome outcome;
    Record(state, RunRevert(state, id), outcome);
    return outcome;
}

inline void PrintTo(const TweakFailure& failure, std::ostream* out) {
    *out << failure.id << ": ";
    PrintTo(failure.refusal, out);
}
