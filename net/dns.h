// Pointing the active interface's IPv4 DNS servers at a public resolver with netsh, after
// capturing its configuration from the registry, and putting that configuration back.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "state/refusal.h"

struct DnsPreset {
    const char* label;
    const char16_t* primary;
    const char16_t* secondary;
};

extern const std::array<DnsPreset, 3> kDnsPresets;

// Ok when netsh accepted the primary server, otherwise its refusal. Refused, with nothing
// changed or recorded, when there is no interface ("no active interface", or the refused
// GetAdaptersAddresses), its name cannot be passed safely on a command line ("interface
// name unsafe on a command line"), or its current servers cannot be captured.
[[nodiscard]] Result ApplyDns(AppState& state, std::string_view id, const std::u16string& primary,
                              const std::u16string& secondary);
// Restores the captured servers (or DHCP) on the recorded interface, IPv4 and IPv6 each
// server on its own. Refused when no usable interface is recorded ("no interface recorded",
// or the unsafe name; nothing runs) or any restore command failed, with the first refusal;
// every command runs regardless.
[[nodiscard]] Result RevertDns(const AppState& state);
// "netsh " and the arguments, through the command runner.
[[nodiscard]] Result RunNetsh(const std::u16string& arguments);
// The REG_SZ text of a captured NameServer value, trailing NULs removed; empty otherwise.
std::u16string NameServerText(const RegistryCapture& capture);
// Whether the name can stand between double quotes on a command line: no double quote, no
// control character, no backslash at the end.
[[nodiscard]] bool IsSafeInterfaceName(std::u16string_view name);
