// What one operation a user started did: the tweaks it changed, the ones that failed and
// why, a refusal of the operation itself, and whether the state file took the result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/refusal.h"

struct TweakFailure {
    std::string id;
    Refusal refusal;

    bool operator==(const TweakFailure&) const = default;
};

struct [[nodiscard]] Outcome {
    // Each tweak once, in the order they changed.
    std::vector<std::string> changed;
    std::vector<TweakFailure> failed;
    // A refusal that concerns no tweak: a profile not in the table, a restore point the
    // system refused.
    std::optional<Refusal> refused;
    // Warning lines the operation logs after its own, such as a fallback it took.
    std::vector<std::string> notices;
    // The first save of the state file that failed; ok when every save after a change
    // succeeded or none was needed. The state in memory stays authoritative.
    Result saved;

    bool Ok() const { return failed.empty() && !refused && saved.Ok(); }
};
