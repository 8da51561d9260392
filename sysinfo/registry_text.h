// Text values of the machine's own registry, read in the 64-bit view whatever the process.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

inline constexpr std::uint32_t kMachineKeyRead = platform::kKeyRead | platform::kKeyWow64_64Key;

// The value as text up to its first NUL, trimmed; empty on any failure, also for a value
// of more than 1022 bytes. `root` is one of the predefined roots; the type is not examined.
std::u16string ReadRegistryText(std::uint32_t root, const std::u16string& subkey,
                                const std::u16string& valueName);

// Drops spaces, NULs, carriage returns and line feeds at the end, then spaces at the start;
// tabs stay at either end.
std::u16string TrimRegistryText(std::u16string text);
