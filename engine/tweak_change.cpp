#include "engine/tweak_change.h"

#include <algorithm>
#include <iterator>

#include "state/state_file.h"

namespace {

template <typename Capture>
void Append(std::map<std::string, std::vector<Capture>, std::less<>>& backups, std::string_view id,
            std::vector<Capture>& captures) {
    // An apply that captured nothing adds no empty list.
    if (captures.empty())
        return;
    std::vector<Capture>& list = CaptureList(backups, id);
    list.insert(list.end(), std::make_move_iterator(captures.begin()),
                std::make_move_iterator(captures.end()));
}

}  // namespace

void Record(AppState& state, TweakChange change, Outcome& outcome) {
    for (auto& [key, value] : change.storeEntries)
        state.BackupStore[key] = std::move(value);
    for (const std::string& key : change.storeErased)
        state.BackupStore.erase(key);
    outcome.notices.insert(outcome.notices.end(), change.notices.begin(), change.notices.end());
    const std::string& id = change.id;
    if (!change.result.Ok()) {
        outcome.failed.push_back({id, *change.result.Reason()});
        if (change.direction == TweakDirection::Apply && !change.rollback.Ok()) {
            // Part of the change could not be put back: without its captures it never could.
            state.AppliedSet.insert(id);
            Append(state.RegistryBackups, id, change.registryCaptures);
            Append(state.ServiceBackups, id, change.serviceCaptures);
            outcome.saved.KeepFirst(SaveState(state));
            return;
        }
        // A failed apply's captures are of no use: the tweak is not applied, and kept, a later
        // revert would be judged against stale ones. A failed revert keeps everything, so
        // that it can be tried again.
        if (change.direction == TweakDirection::Apply) {
            state.RegistryBackups.erase(id);
            state.ServiceBackups.erase(id);
        }
        return;
    }
    if (change.direction == TweakDirection::Apply) {
        state.AppliedSet.insert(id);
        Append(state.RegistryBackups, id, change.registryCaptures);
        Append(state.ServiceBackups, id, change.serviceCaptures);
    } else {
        state.AppliedSet.erase(id);
        state.RegistryBackups.erase(id);
        state.ServiceBackups.erase(id);
    }
    outcome.saved.KeepFirst(SaveState(state));
    if (std::find(outcome.changed.begin(), outcome.changed.end(), id) == outcome.changed.end())
        outcome.changed.push_back(id);
}
