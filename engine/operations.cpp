#include "engine/operations.h"

#include <string>

#include "actions/restore_point.h"
#include "engine/apply.h"
#include "engine/catalog.h"
#include "engine/profiles.h"
#include "engine/revert.h"
#include "state/session_log.h"
#include "state/state_file.h"
#include "state/text.h"

namespace {

constexpr std::string_view kDnsId = "dns";

Outcome OneTweak(std::string_view id, bool ok) {
    Outcome outcome;
    if (ok) {
        outcome.changed.emplace_back(id);
    } else {
        outcome.failed.push_back({std::string(id), {}});
    }
    return outcome;
}

// Sets the preset's servers as the `dns` tweak; false when the preset is not in force.
bool SetDnsPreset(AppState& state, const std::u16string& primary, const std::u16string& secondary) {
    // Applying over a preset that could not be undone would capture the preset's servers as
    // the ones to put back, and the user's own would be lost.
    if (IsApplied(state, kDnsId) && !RevertTweak(state, kDnsId, true))
        return false;
    state.BackupStore["dns.v4"] = ToUtf8(primary);
    state.BackupStore["dns.v4b"] = ToUtf8(secondary);
    if (!ApplyDns(state, kDnsId, primary, secondary)) {
        // dns is not applied here, so nothing needs these captures; kept, a later revert
        // would be judged against stale ones.
        state.RegistryBackups.erase(std::string(kDnsId));
        return false;
    }
    state.AppliedSet.emplace(kDnsId);
    // The file fails silently; the state in memory stays authoritative.
    static_cast<void>(SaveState(state));
    return true;
}

}  // namespace

Outcome ToggleTweak(AppState& state, std::string_view id) {
    if (IsApplied(state, id)) {
        const bool reverted = RevertTweak(state, id, false);
        // The packages cannot come back; say why.
        if (!reverted && id == "debloat-appx")
            LogAction(state, "irreversible: preinstalled apps", LogKind::Warning);
        return OneTweak(id, reverted);
    }
    return OneTweak(id, ApplyTweak(state, id, false));
}

Outcome ApplySafeSet(AppState& state) {
    Outcome outcome;
    for (const TweakEntry& entry : TweakCatalog) {
        if (entry.risk != RiskLevel::Safe || !entry.reversible || IsApplied(state, entry.id))
            continue;
        // Quiet: a failure shows only as a smaller count in the one summary line.
        if (ApplyTweak(state, entry.id, true)) {
            outcome.changed.emplace_back(entry.id);
        } else {
            outcome.failed.push_back({entry.id, {}});
        }
    }
    LogAction(state, "safe set : " + std::to_string(outcome.changed.size()) + " tweaks",
              LogKind::Success);
    return outcome;
}

Outcome ApplyProfileTweaks(AppState& state, std::string_view name) {
    static_cast<void>(ApplyProfile(state, name));
    return {};
}

Outcome RevertEveryTweak(AppState& state) {
    static_cast<void>(RevertAll(state));
    return {};
}

Outcome ApplyDnsPreset(AppState& state, const DnsPreset& preset) {
    const bool ok = SetDnsPreset(state, preset.primary, preset.secondary);
    if (ok) {
        LogAction(state, std::string("dns -> ") + preset.label, LogKind::Success);
    } else {
        LogAction(state, "dns: failed", LogKind::Error);
    }
    return OneTweak(kDnsId, ok);
}

Outcome RevertDnsToDhcp(AppState& state) {
    // A failed revert logs its own line.
    const bool ok = RevertTweak(state, kDnsId, false);
    if (ok)
        LogAction(state, "dns -> dhcp", LogKind::Info);
    return OneTweak(kDnsId, ok);
}

Outcome RemovePreinstalledApps(AppState& state) {
    return OneTweak("debloat-appx", ApplyTweak(state, "debloat-appx", false));
}

void RequestRestorePoint(AppState& state) {
    StartRestorePoint(state);
}

void TakeRestorePointResult(AppState& state) {
    PollRestorePoint(state);
}

void ClearLog(AppState& state) {
    state.LogEntries.clear();
}

bool RestorePointInProgress() {
    return RestorePointBusy.load();
}
