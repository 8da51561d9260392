#include "engine/profiles.h"

namespace {

constexpr std::string_view kCompetitive[] = {
    "gamedvr",      "gamebar",   "fso",        "hags",      "gamemode",  "priority", "visualfx",
    "transparency", "menudelay", "mouseaccel", "timerres",  "powerplan", "nagle",    "netthrottle",
    "mmcss",        "tcptune",   "telemetry",  "diagtrack", "feedback",  "activity", "adid"};
constexpr std::string_view kBalanced[] = {"gamedvr",   "gamebar",      "gamemode",  "priority",
                                          "visualfx",  "transparency", "menudelay", "timerres",
                                          "telemetry", "feedback",     "adid"};
constexpr std::string_view kLaptop[] = {"gamemode",  "menudelay", "transparency",
                                        "telemetry", "feedback",  "adid"};
constexpr std::string_view kStreamer[] = {"gamebar",     "gamedvr", "priority",  "visualfx",
                                          "netthrottle", "mmcss",   "telemetry", "adid"};

}  // namespace

const std::array<Profile, 4> ProfileTable = {{
    {"Competitive", kCompetitive},
    {"Balanced", kBalanced},
    {"Laptop", kLaptop},
    {"Streamer", kStreamer},
}};

const Profile* FindProfile(std::string_view name) {
    for (const Profile& profile : ProfileTable) {
        if (profile.name == name)
            return &profile;
    }
    return nullptr;
}

std::span<const std::string_view> ProfileTweaks(std::string_view name) {
    const Profile* profile = FindProfile(name);
    return profile != nullptr ? profile->tweaks : std::span<const std::string_view>{};
}
