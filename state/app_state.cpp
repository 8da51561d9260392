#include "state/app_state.h"

bool IsApplied(const AppState& state, std::string_view id) {
    return state.AppliedSet.find(id) != state.AppliedSet.end();
}

std::uint32_t AppliedCount(const AppState& state) {
    return static_cast<std::uint32_t>(state.AppliedSet.size());
}

void ClearPersistedState(AppState& state) {
    state.AppliedSet.clear();
    state.RegistryBackups.clear();
    state.ServiceBackups.clear();
    state.BackupStore.clear();
    state.RestorePointCreated = false;
}
