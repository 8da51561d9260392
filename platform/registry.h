// The registry, shaped like RegOpenKeyExW, RegCreateKeyExW, RegQueryValueExW,
// RegSetValueExW, RegDeleteValueW, RegEnumKeyExW and RegCloseKey. A key is opened in the
// process's native view unless the caller adds KEY_WOW64_64KEY to the access it asks.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"
#include "platform/unique_handle.h"

namespace platform {

inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kKeyRead = 0x20019u;
inline constexpr std::uint32_t kKeySetValue = 0x0002u;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100u;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;

// Closes a handle; only the owning type calls it.
void RegistryCloseKey(std::intptr_t handle);

struct RegistryKeyTraits {
    static constexpr std::intptr_t kNone = 0;
    static void Close(std::intptr_t handle) { RegistryCloseKey(handle); }
};
// An open registry key, closed when it goes out of scope.
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// `root` is one of the predefined roots above.
[[nodiscard]] Status RegistryOpenKey(std::uint32_t root, const std::u16string& subkey,
                                     std::uint32_t access, RegistryKey& key);
// Opens the key, creating it and any missing parents; non-volatile, no class.
[[nodiscard]] Status RegistryCreateKey(std::uint32_t root, const std::u16string& subkey,
                                       std::uint32_t access, RegistryKey& key);
// With data null: the type and the size only. Otherwise at most `size` bytes; `size` then
// holds the value's size (ERROR_MORE_DATA when the buffer was too small).
[[nodiscard]] Status RegistryQueryValue(const RegistryKey& key, const std::u16string& name,
                                        std::uint32_t& type, std::uint8_t* data,
                                        std::uint32_t& size);
[[nodiscard]] Status RegistrySetValue(const RegistryKey& key, const std::u16string& name,
                                      std::uint32_t type, const std::uint8_t* data,
                                      std::uint32_t size);
[[nodiscard]] Status RegistryDeleteValue(const RegistryKey& key, const std::u16string& name);
// The name of subkey `index` into a buffer of `capacity` UTF-16 units, the terminating NUL
// included (ERROR_MORE_DATA when it does not fit); ERROR_NO_MORE_ITEMS past the last one.
// The key must have been opened with KEY_READ.
[[nodiscard]] Status RegistryEnumKey(const RegistryKey& key, std::uint32_t index,
                                     std::uint32_t capacity, std::u16string& name);

}  // namespace platform
