// The one application-state record: what this program changed on the machine (persisted
// in the state file) and the session log with the toast fields (kept in memory only).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "state/captures.h"

// Any other value is kept as it is and shown like Info.
enum class LogKind : std::int32_t { Info = 0, Success = 1, Warning = 2, Error = 3 };

struct LogEntry {
    std::u16string time;
    std::string message;
    LogKind kind = LogKind::Info;
    // UTF-8, on a line that tells of a failure: why it failed, one line per failure. Kept in
    // memory only; session.log holds the message alone.
    std::string reason = {};
};

// Maps and sets order their UTF-8 keys byte-wise, as the state file stores them.
struct AppState {
    std::set<std::string, std::less<>> AppliedSet;
    std::map<std::string, std::vector<RegistryCapture>, std::less<>> RegistryBackups;
    std::map<std::string, std::vector<ServiceCapture>, std::less<>> ServiceBackups;
    std::map<std::string, std::string, std::less<>> BackupStore;
    bool RestorePointCreated = false;

    std::vector<LogEntry> LogEntries;
    std::string LastMessage;
    LogKind LastKind = LogKind::Info;
    std::uint64_t LastTick = 0;
};

// The capture list of a tweak, created empty when the tweak has none.
template <typename Capture>
std::vector<Capture>& CaptureList(std::map<std::string, std::vector<Capture>, std::less<>>& backups,
                                  std::string_view id) {
    auto found = backups.find(id);
    if (found == backups.end())
        found = backups.emplace(std::string(id), std::vector<Capture>{}).first;
    return found->second;
}

bool IsApplied(const AppState& state, std::string_view id);
std::uint32_t AppliedCount(const AppState& state);

// Empties the five persisted fields; the log and the toast fields stay.
void ClearPersistedState(AppState& state);
