#include "engine/operations.h"

#include <optional>
#include <string>
#include <vector>

#include "actions/restore_point.h"
#include "engine/apply.h"
#include "engine/catalog.h"
#include "engine/profiles.h"
#include "engine/revert.h"
#include "engine/tweak_change.h"
#include "state/session_log.h"
#include "state/state_file.h"
#include "state/text.h"

namespace {

constexpr std::string_view kDnsId = "dns";
constexpr std::string_view kAppsId = "debloat-appx";

std::string NameOf(std::string_view id) {
    const TweakEntry* entry = LookupTweak(id);
    return entry != nullptr ? entry->name : std::string(id);
}

// Why a line's operation did not wholly succeed, one line per failure: each failed tweak's
// refusal (after its name, when the line sums up several tweaks), the operation's own
// refusal, then a failed save. Empty when nothing failed.
std::string ReasonOf(const Outcome& outcome, bool named) {
    std::string reason;
    const auto add = [&reason](const std::string& line) {
        if (!reason.empty())
            reason += '\n';
        reason += line;
    };
    for (const TweakFailure& failure : outcome.failed)
        add(named ? NameOf(failure.id) + ": " + failure.refusal.Text() : failure.refusal.Text());
    if (outcome.refused)
        add(outcome.refused->Text());
    if (!outcome.saved.Ok())
        add("state file not saved: " + outcome.saved.Reason()->Text());
    return reason;
}

// The operation's line, after its notices so that it is the toast's. A line that sums up
// several tweaks (`named`) names each failed one before its reason.
void LogLine(AppState& state, std::string_view message, LogKind kind, const Outcome& outcome,
             bool named) {
    for (const std::string& notice : outcome.notices)
        LogAction(state, notice, LogKind::Warning);
    LogAction(state, message, kind, ReasonOf(outcome, named));
}

struct StoreChoice {
    std::optional<std::string> primary;
    std::optional<std::string> secondary;
};

std::optional<std::string> StoreValue(const AppState& state, std::string_view key) {
    const auto found = state.BackupStore.find(key);
    return found == state.BackupStore.end() ? std::nullopt
                                            : std::optional<std::string>(found->second);
}

// Sets the key to the value, or takes it out when there is none.
void PutStoreValue(AppState& state, const std::string& key,
                   const std::optional<std::string>& value) {
    if (value) {
        state.BackupStore[key] = *value;
    } else {
        state.BackupStore.erase(key);
    }
}

// The action and its bookkeeping for one tweak. An id not in the catalog fails and changes
// nothing, not even its stray captures.
void Change(AppState& state, std::string_view id, TweakDirection direction, Outcome& outcome) {
    if (LookupTweak(id) == nullptr) {
        outcome.failed.push_back({std::string(id), Refusal::Own(kNotInCatalog)});
        return;
    }
    Record(state, direction == TweakDirection::Apply ? RunApply(state, id) : RunRevert(state, id),
           outcome);
}

// One tweak in one direction unless it is there already, with its line: `done` or `failed`
// followed by its name.
Outcome ChangeOne(AppState& state, std::string_view id, TweakDirection direction,
                  std::string_view done, LogKind doneKind, std::string_view failed) {
    Outcome outcome;
    const TweakEntry* entry = LookupTweak(id);
    if (entry == nullptr) {
        // Silent: no name to show.
        Change(state, id, direction, outcome);
        return outcome;
    }
    if (IsApplied(state, id) == (direction == TweakDirection::Apply))
        return outcome;
    Change(state, id, direction, outcome);
    if (outcome.failed.empty()) {
        LogLine(state, std::string(done) + entry->name, doneKind, outcome, false);
    } else {
        LogLine(state, std::string(failed) + entry->name, LogKind::Error, outcome, false);
    }
    return outcome;
}

}  // namespace

Outcome ApplyTweak(AppState& state, std::string_view id) {
    return ChangeOne(state, id, TweakDirection::Apply, "applied  ", LogKind::Success, "failed  ");
}

Outcome RevertTweak(AppState& state, std::string_view id) {
    return ChangeOne(state, id, TweakDirection::Revert, "reverted  ", LogKind::Info,
                     "revert failed  ");
}

Outcome ToggleTweak(AppState& state, std::string_view id) {
    if (!IsApplied(state, id))
        return ApplyTweak(state, id);
    Outcome outcome = RevertTweak(state, id);
    // The packages cannot come back; say why.
    if (!outcome.failed.empty() && id == kAppsId)
        LogAction(state, "irreversible: preinstalled apps", LogKind::Warning);
    return outcome;
}

Outcome ApplySafeSet(AppState& state) {
    Outcome outcome;
    for (const TweakEntry& entry : TweakCatalog) {
        if (entry.risk == RiskLevel::Safe && entry.reversible && !IsApplied(state, entry.id))
            Change(state, entry.id, TweakDirection::Apply, outcome);
    }
    // One line for all: a failure shows as a smaller count, and in the line's reason.
    LogLine(state, "safe set : " + std::to_string(outcome.changed.size()) + " tweaks",
            LogKind::Success, outcome, true);
    return outcome;
}

Outcome ApplyProfileTweaks(AppState& state, std::string_view name) {
    Outcome outcome;
    const Profile* profile = FindProfile(name);
    if (profile == nullptr) {
        outcome.refused = Refusal::Own("not a profile");
        return outcome;
    }
    for (const std::string_view id : profile->tweaks) {
        if (!IsApplied(state, id))
            Change(state, id, TweakDirection::Apply, outcome);
    }
    LogLine(
        state,
        "profile " + std::string(name) + " : " + std::to_string(outcome.changed.size()) + " tweaks",
        LogKind::Success, outcome, true);
    return outcome;
}

Outcome RevertEveryTweak(AppState& state) {
    Outcome outcome;
    // Each revert that succeeds takes its id out of the set.
    const std::vector<std::string> applied(state.AppliedSet.begin(), state.AppliedSet.end());
    for (const std::string& id : applied) {
        if (id != kAppsId)
            Change(state, id, TweakDirection::Revert, outcome);
    }
    const std::size_t failures = outcome.failed.size();
    LogLine(state,
            "revert all : " + std::to_string(outcome.changed.size()) + " ok, " +
                std::to_string(failures) + " failures",
            failures == 0 ? LogKind::Success : LogKind::Warning, outcome, true);
    return outcome;
}

Outcome ApplyDnsPreset(AppState& state, const DnsPreset& preset) {
    Outcome outcome;
    // Applying over a preset that could not be undone would capture the preset's servers as
    // the ones to put back, and the user's own would be lost.
    if (IsApplied(state, kDnsId))
        Change(state, kDnsId, TweakDirection::Revert, outcome);
    if (outcome.failed.empty()) {
        // The servers are there for the apply to read. A refused preset takes them out
        // again: the DNS row goes on applying the last preset that took.
        const StoreChoice before = {StoreValue(state, "dns.v4"), StoreValue(state, "dns.v4b")};
        state.BackupStore["dns.v4"] = ToUtf8(preset.primary);
        state.BackupStore["dns.v4b"] = ToUtf8(preset.secondary);
        Change(state, kDnsId, TweakDirection::Apply, outcome);
        if (!outcome.failed.empty()) {
            PutStoreValue(state, "dns.v4", before.primary);
            PutStoreValue(state, "dns.v4b", before.secondary);
        }
    }
    if (outcome.failed.empty()) {
        LogLine(state, std::string("dns -> ") + preset.label, LogKind::Success, outcome, false);
    } else {
        LogLine(state, "dns: failed", LogKind::Error, outcome, false);
    }
    return outcome;
}

Outcome RevertDnsToDhcp(AppState& state) {
    // A failed revert logs its own line.
    Outcome outcome = RevertTweak(state, kDnsId);
    if (outcome.failed.empty())
        LogAction(state, "dns -> dhcp", LogKind::Info);
    return outcome;
}

Outcome RemovePreinstalledApps(AppState& state) {
    return ApplyTweak(state, kAppsId);
}

void RequestRestorePoint(AppState& state) {
    // A report not taken yet is taken first: the next worker's would write over it, and a
    // point created just now would never be recorded.
    if (!RestorePointInProgress())
        static_cast<void>(TakeRestorePointResult(state));
    if (StartRestorePointWorker())
        LogAction(state, "restore point in progress...", LogKind::Info);
}

Outcome TakeRestorePointResult(AppState& state) {
    Outcome outcome;
    const RestorePointReport report = RestorePointStatus.exchange(RestorePointOutcome::None);
    switch (report.outcome) {
        case RestorePointOutcome::Created:
            state.RestorePointCreated = true;
            outcome.saved = SaveState(state);
            LogLine(state, "restore point created", LogKind::Success, outcome, false);
            break;
        case RestorePointOutcome::Failed:
        case RestorePointOutcome::NotStarted:
            outcome.refused = report.AsResult().Reason();
            LogLine(state, "point denied (system protection disabled?)", LogKind::Warning, outcome,
                    false);
            break;
        case RestorePointOutcome::Skipped:
            LogLine(state, "point skipped (one exists from the last 24 hours)", LogKind::Warning,
                    outcome, false);
            break;
        case RestorePointOutcome::None:
            break;
    }
    return outcome;
}

void ClearLog(AppState& state) {
    state.LogEntries.clear();
}

bool RestorePointInProgress() {
    return RestorePointBusy.load();
}
