// The registry through advapi32.
#include "platform/registry.h"

#include <windows.h>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

// The predefined roots are sign-extended 32-bit values.
HKEY RootKey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY Native(const RegistryKey& key) {
    return reinterpret_cast<HKEY>(key.get());
}

}  // namespace

Status RegistryOpenKey(std::uint32_t root, const std::u16string& subkey, std::uint32_t access,
                       RegistryKey& key) {
    key.reset();
    HKEY opened = nullptr;
    const LSTATUS result = RegOpenKeyExW(RootKey(root), win32::Wide(subkey), 0, access, &opened);
    if (result == ERROR_SUCCESS)
        key = RegistryKey(reinterpret_cast<std::intptr_t>(opened));
    return Status(static_cast<std::uint32_t>(result));
}

Status RegistryCreateKey(std::uint32_t root, const std::u16string& subkey, std::uint32_t access,
                         RegistryKey& key) {
    key.reset();
    HKEY opened = nullptr;
    const LSTATUS result =
        RegCreateKeyExW(RootKey(root), win32::Wide(subkey), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &opened, nullptr);
    if (result == ERROR_SUCCESS)
        key = RegistryKey(reinterpret_cast<std::intptr_t>(opened));
    return Status(static_cast<std::uint32_t>(result));
}

Status RegistryQueryValue(const RegistryKey& key, const std::u16string& name, std::uint32_t& type,
                          std::uint8_t* data, std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LSTATUS result =
        RegQueryValueExW(Native(key), win32::Wide(name), nullptr, &valueType, data, &valueSize);
    type = valueType;
    size = valueSize;
    return Status(static_cast<std::uint32_t>(result));
}

Status RegistrySetValue(const RegistryKey& key, const std::u16string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) {
    return Status(static_cast<std::uint32_t>(
        RegSetValueExW(Native(key), win32::Wide(name), 0, type, data, size)));
}

Status RegistryDeleteValue(const RegistryKey& key, const std::u16string& name) {
    return Status(static_cast<std::uint32_t>(RegDeleteValueW(Native(key), win32::Wide(name))));
}

Status RegistryEnumKey(const RegistryKey& key, std::uint32_t index, std::uint32_t capacity,
                       std::u16string& name) {
    std::u16string buffer(capacity, u'\0');
    DWORD length = capacity;
    const LSTATUS result =
        RegEnumKeyExW(Native(key), index, reinterpret_cast<wchar_t*>(buffer.data()), &length,
                      nullptr, nullptr, nullptr, nullptr);
    name = result == ERROR_SUCCESS ? buffer.substr(0, length) : std::u16string();
    return Status(static_cast<std::uint32_t>(result));
}

void RegistryCloseKey(std::intptr_t handle) {
    win32::UniqueKey(reinterpret_cast<HKEY>(handle)).reset();
}

}  // namespace platform
