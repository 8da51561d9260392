// Profiles: named, fixed lists of catalog tweaks that one click applies
// (ApplyProfileTweaks in engine/operations.h).
#pragma once

#include <array>
#include <span>
#include <string_view>

struct Profile {
    std::string_view name;
    std::span<const std::string_view> tweaks;  // in the order they are applied
};

extern const std::array<Profile, 4> ProfileTable;

// The first profile whose name is exactly `name` (case-sensitive); nullptr when none has.
const Profile* FindProfile(std::string_view name);
// Its tweak list; empty when no profile has that name.
std::span<const std::string_view> ProfileTweaks(std::string_view name);
