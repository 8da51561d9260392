// Profiles apply a preset list of tweaks in one go; revert-all turns every applied tweak
// off. Each writes one summary line instead of one line per tweak.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "state/app_state.h"

struct Profile {
    std::string_view name;
    std::span<const std::string_view> tweaks;  // in the order they are applied
};

extern const std::array<Profile, 4> ProfileTable;

// The tweak list of the first profile whose name is exactly `name` (case-sensitive); empty
// when no profile has that name.
std::span<const std::string_view> ProfileTweaks(std::string_view name);

// Applies the profile's tweaks that are not yet applied, in its order, and logs
// "profile NAME : N tweaks". True when at least one was newly applied; false, silently, for
// a name not in the table.
[[nodiscard]] bool ApplyProfile(AppState& state, std::string_view name);

// Reverts every applied tweak but the preinstalled apps, in the applied set's order, and
// logs "revert all : N ok, M failures". True when none failed.
[[nodiscard]] bool RevertAll(AppState& state);
