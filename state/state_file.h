// state.bin: the persisted part of AppState. Little-endian, no version field:
//   "QFOPT1\0\0", the applied set, the registry captures, the service captures, the
//   restore-point flag, the key/value store.
// Loading never fails outward: what cannot be read stays empty, what was read before a
// part that does not fit stays loaded. Saving replaces the file atomically or not at all,
// and never replaces a file whose captures this run could not read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "state/refusal.h"

// The largest state file that is read. A real one holds a few kilobytes of captures.
inline constexpr std::uint64_t kMaxStateFileBytes = std::uint64_t{16} << 20;

std::u16string StateFilePath();
// Where the bytes of a file that did not decode to the end are kept before it is replaced.
std::u16string StateFileCopyPath();

// What the last LoadState found.
enum class StateFileLoad {
    Missing,      // no file (or no folder): the empty state is the whole truth
    Read,         // read and decoded to the end
    Unreadable,   // there, but could not be opened or read in full: no save may replace it
    Undecodable,  // read, but did not decode to the end: copied aside before the first save
    Oversized,    // more than kMaxStateFileBytes: not ours, replaced without a copy
};

void LoadState(AppState& state);
// Each LoadState sets it anew.
[[nodiscard]] StateFileLoad LastStateFileLoad();
// Forgets what the last load found, as if no load had run; tests use it to start each case
// on a fresh machine.
void ForgetStateFileLoad();
// Ok when the file now holds the state. Refused, with state.bin left as it was, when the
// write failed (the refused file call and its code), when the file loaded at start-up could
// not be read, or when the copy of an undecodable file could not be written first.
[[nodiscard]] Result SaveState(const AppState& state);

// The file's bytes for the five persisted fields, and back.
std::vector<std::uint8_t> EncodeState(const AppState& state);
// True when the bytes decoded to their end: the magic, every section whole, nothing after.
// Whatever fitted before the first part that did not stays loaded either way.
[[nodiscard]] bool DecodeState(std::span<const std::uint8_t> bytes, AppState& state);
