// state.bin: the persisted part of AppState. Little-endian, no version field:
//   "QFOPT1\0\0", the applied set, the registry captures, the service captures, the
//   restore-point flag, the key/value store.
// Loading never fails outward: what cannot be read stays empty, what was read before a
// part that does not fit stays loaded. Saving replaces the file atomically or not at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "state/app_state.h"

std::u16string StateFilePath();

void LoadState(AppState& state);
void SaveState(const AppState& state);

// The file's bytes for the five persisted fields, and back.
std::vector<std::uint8_t> EncodeState(const AppState& state);
void DecodeState(std::span<const std::uint8_t> bytes, AppState& state);
