#include "engine/profiles.h"

#include <string>
#include <vector>

#include "engine/apply.h"
#include "engine/revert.h"
#include "state/session_log.h"

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

std::span<const std::string_view> ProfileTweaks(std::string_view name) {
    for (const Profile& profile : ProfileTable) {
        if (profile.name == name)
            return profile.tweaks;
    }
    return {};
}

bool ApplyProfile(AppState& state, std::string_view name) {
    const Profile* profile = nullptr;
    for (const Profile& candidate : ProfileTable) {
        if (candidate.name == name) {
            profile = &candidate;
            break;
        }
    }
    if (profile == nullptr)
        return false;
    int count = 0;
    for (const std::string_view id : profile->tweaks) {
        if (!IsApplied(state, id) && ApplyTweak(state, id, true))
            ++count;
    }
    LogAction(state, "profile " + std::string(name) + " : " + std::to_string(count) + " tweaks",
              LogKind::Success);
    return count > 0;
}

bool RevertAll(AppState& state) {
    // Each revert that succeeds takes its id out of the set.
    const std::vector<std::string> applied(state.AppliedSet.begin(), state.AppliedSet.end());
    int ok = 0;
    int failures = 0;
    for (const std::string& id : applied) {
        if (id == "debloat-appx")
            continue;
        if (RevertTweak(state, id, true)) {
            ++ok;
        } else {
            ++failures;
        }
    }
    LogAction(
        state,
        "revert all : " + std::to_string(ok) + " ok, " + std::to_string(failures) + " failures",
        failures == 0 ? LogKind::Success : LogKind::Warning);
    return failures == 0;
}
