// What each tweak changes, as data: its registry writes and services, and the kind of action
// that applies and undoes it. The apply dispatcher, the check of a revert's captures and the
// tweak document all read this one table.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/catalog.h"
#include "state/captures.h"

enum class TweakAction {
    RegistryWrites,   // the writes below; undone by restoring their captures
    PointerWrites,    // the writes, then the live pointer settings
    InterfaceWrites,  // the writes under every subkey of the Tcpip interfaces key
    DisableServices,  // capture, disable and stop each service; only the first one counts
    SidecarServices,  // capture each service, disable and stop those not yet disabled
    Hibernation,      // powercfg /h off, undone by powercfg /h on
    TelemetryTasks,   // the telemetry tasks disabled, undone by enabling them
    AppxRemoval,      // the preinstalled packages removed; never undone
    TimerHolder,      // the timer-resolution holder thread
    PowerPlan,        // the high-performance scheme, undone by the remembered one
    Dns,              // the DNS preset of the active interface, undone from its captures
};

struct RegistryWrite {
    RegistryRoot root;
    std::u16string_view key;
    std::u16string_view value;
    std::uint32_t type;  // REG_DWORD, REG_SZ or REG_BINARY
    std::uint32_t dword = 0;
    std::u16string_view text = {};
    std::span<const std::uint8_t> bytes = {};
};

struct TweakPlan {
    std::string_view id;
    TweakAction action;
    // For InterfaceWrites the key is the interfaces key itself; each write goes to every
    // subkey of it.
    std::span<const RegistryWrite> writes = {};
    std::span<const std::u16string_view> services = {};
};

inline constexpr std::u16string_view kTcpipInterfacesKey =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
// The name buffer of the interface walk, in UTF-16 units.
inline constexpr std::uint32_t kInterfaceNameCapacity = 256;

// In catalog order, one plan per catalog entry.
extern const std::array<TweakPlan, kTweakCount> kTweakPlans;
// Nullptr when no plan has this id.
const TweakPlan* LookupPlan(std::string_view id);

// The one command line that removes the sixteen preinstalled packages.
const std::u16string& AppxRemovalCommand();

// Whether the action captures what it changes (so a failed apply can be rolled back and a
// revert restores captures).
bool CapturesChanges(TweakAction action);

// Registry paths and names compare without case; ASCII letters are all these tables hold.
bool SameAsciiNoCase(std::u16string_view a, std::u16string_view b);
