// The prior state of one registry value or one service start type, taken before a tweak
// changes it so that the undo can put exactly that back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The predefined root a captured key lives under. A state file written by something else
// may hold any other value; it is kept as it is so it survives a save.
enum class RegistryRoot : std::uint32_t {
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

struct RegistryCapture {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::u16string subkey;
    std::u16string valueName;
    bool existed = false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const RegistryCapture&) const = default;
};

struct ServiceCapture {
    std::u16string serviceName;
    bool existed = false;
    std::uint32_t startType = 0;

    bool operator==(const ServiceCapture&) const = default;
};
