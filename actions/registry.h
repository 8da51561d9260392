// Registry changes that can be undone: every write is preceded by a capture of the value it
// replaces, appended to the tweak's list, and a capture can be put back exactly.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "state/refusal.h"

// Each refusal names the registry call that was refused (RegOpenKeyExW, RegCreateKeyExW,
// RegQueryValueExW, RegSetValueExW, RegDeleteValueW) and its code.

// Fills the capture; ok when the value was read or is absent (its key or the value not
// found), refused for any other failure: a key that refuses the open, a value whose size or
// data cannot be read.
[[nodiscard]] Result ReadRegistryValue(RegistryRoot root, const std::u16string& subkey,
                                       const std::u16string& valueName, RegistryCapture& capture);
// Appends the capture to RegistryBackups[id]; refused (and nothing appended) when the read
// failed.
[[nodiscard]] Result CaptureRegistryValue(AppState& state, std::string_view id, RegistryRoot root,
                                          const std::u16string& subkey,
                                          const std::u16string& valueName);

[[nodiscard]] Result WriteRegistryDword(RegistryRoot root, const std::u16string& subkey,
                                        const std::u16string& valueName, std::uint32_t value);
[[nodiscard]] Result WriteRegistryString(RegistryRoot root, const std::u16string& subkey,
                                         const std::u16string& valueName,
                                         const std::u16string& text);

// Capture, then write. A value that exists but cannot be read is not overwritten: without
// its capture it could never be put back, so these are refused without writing.
[[nodiscard]] Result SetDwordCaptured(AppState& state, std::string_view id, RegistryRoot root,
                                      const std::u16string& subkey, const std::u16string& valueName,
                                      std::uint32_t value);
[[nodiscard]] Result SetStringCaptured(AppState& state, std::string_view id, RegistryRoot root,
                                       const std::u16string& subkey,
                                       const std::u16string& valueName, const std::u16string& text);
[[nodiscard]] Result SetBinaryCaptured(AppState& state, std::string_view id, RegistryRoot root,
                                       const std::u16string& subkey,
                                       const std::u16string& valueName,
                                       std::span<const std::uint8_t> bytes);

// Puts the captured value back, or deletes it when it was absent. Ok when the value is back,
// or was absent and is gone (also when its key does not exist); refused when the key refuses
// the change. A root other than the two this program writes (possible only from a foreign
// state file) is refused ("not a root this program writes").
[[nodiscard]] Result RestoreRegistryValue(const RegistryCapture& capture);
