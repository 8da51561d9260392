// Registry changes that can be undone: every write is preceded by a capture of the value it
// replaces, appended to the tweak's list, and a capture can be put back exactly.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "state/app_state.h"

// Fills the capture; true when the value was read or is absent, false when it exists but
// the read of its data fails.
bool ReadRegistryValue(RegistryRoot root, const std::u16string& subkey,
                       const std::u16string& valueName, RegistryCapture& capture);
// Appends the capture to RegistryBackups[id]; false (and nothing appended) when the read
// failed.
bool CaptureRegistryValue(AppState& state, std::string_view id, RegistryRoot root,
                          const std::u16string& subkey, const std::u16string& valueName);

bool WriteRegistryDword(RegistryRoot root, const std::u16string& subkey,
                        const std::u16string& valueName, std::uint32_t value);
bool WriteRegistryString(RegistryRoot root, const std::u16string& subkey,
                         const std::u16string& valueName, const std::u16string& text);

// Capture, then write. A value that exists but cannot be read is not overwritten: without
// its capture it could never be put back, so these return false without writing.
bool SetDwordCaptured(AppState& state, std::string_view id, RegistryRoot root,
                      const std::u16string& subkey, const std::u16string& valueName,
                      std::uint32_t value);
bool SetStringCaptured(AppState& state, std::string_view id, RegistryRoot root,
                       const std::u16string& subkey, const std::u16string& valueName,
                       const std::u16string& text);
bool SetBinaryCaptured(AppState& state, std::string_view id, RegistryRoot root,
                       const std::u16string& subkey, const std::u16string& valueName,
                       std::span<const std::uint8_t> bytes);

// Puts the captured value back, or deletes it when it was absent. A root other than the
// two this program writes (possible only from a foreign state file) is refused.
bool RestoreRegistryValue(const RegistryCapture& capture);
