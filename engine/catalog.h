// The fixed catalog of every tweak the optimizer can apply. The id is the key everywhere,
// including the state file, so a stored id must never change its meaning.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class RiskLevel : std::int32_t { Safe = 0, Adv = 1, Risky = 2 };

struct TweakEntry {
    const char* id;
    const char* name;
    const char* category;
    const char* description;
    RiskLevel risk;
    bool reversible;
};

inline constexpr std::size_t kTweakCount = 27;

// In display order; the entries of one category are contiguous.
extern const std::array<TweakEntry, kTweakCount> TweakCatalog;

// Exact, case-sensitive match; nullptr when no entry has this id.
const TweakEntry* LookupTweak(std::string_view id);
int CountInCategory(const char* category);
