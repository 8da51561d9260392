// What one operation a user started did: the tweaks it changed, the ones that failed and why,
// and whether the state file took the result.
#pragma once

#include <string>
#include <vector>

struct TweakFailure {
    std::string id;
    std::string reason;
};

struct [[nodiscard]] Outcome {
    std::vector<std::string> changed;
    std::vector<TweakFailure> failed;
    // False when the state file could not be written after a change; the state in memory
    // stays authoritative.
    bool saved = true;

    bool ok() const { return failed.empty() && saved; }
};
