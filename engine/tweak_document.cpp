#include "engine/tweak_document.h"

#include <cstdio>

#include "actions/command_runner.h"
#include "engine/tweak_table.h"
#include "platform/registry.h"
#include "state/text.h"

namespace {

const char* RiskText(RiskLevel risk) {
    switch (risk) {
        case RiskLevel::Safe:
            return "SAFE";
        case RiskLevel::Adv:
            return "ADV";
        default:
            return "RISKY";
    }
}

std::string RootText(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
}

std::string DataText(const RegistryWrite& write) {
    char text[64];
    switch (write.type) {
        case platform::kRegDword:
            std::snprintf(text, sizeof text, "REG_DWORD %u (0x%X)", write.dword, write.dword);
            return text;
        case platform::kRegSz:
            return "REG_SZ \"" + ToUtf8(std::u16string(write.text)) + "\"";
        default: {
            std::string bytes = "REG_BINARY";
            for (const std::uint8_t byte : write.bytes) {
                std::snprintf(text, sizeof text, " %02X", byte);
                bytes += text;
            }
            return bytes;
        }
    }
}

std::string WritesTable(const TweakPlan& plan) {
    std::string text = "| root | key | value | data |\n|---|---|---|---|\n";
    for (const RegistryWrite& write : plan.writes) {
        std::string key = ToUtf8(std::u16string(write.key));
        if (plan.action == TweakAction::InterfaceWrites)
            key += "\\\\<each interface>";
        text += "| " + RootText(write.root) + " | `" + key + "` | `" +
                ToUtf8(std::u16string(write.value)) + "` | " + DataText(write) + " |\n";
    }
    return text;
}

std::string ServiceList(const TweakPlan& plan) {
    std::string text;
    for (const std::u16string_view service : plan.services)
        text += (text.empty() ? "`" : ", `") + ToUtf8(std::u16string(service)) + "`";
    return text;
}

std::string TaskList() {
    std::string text;
    for (const char16_t* task : TelemetryTaskList)
        text += "  - `" + ToUtf8(task) + "`\n";
    return text;
}

// What the tweak does and how it is undone, in prose around the table's data.
std::string Behaviour(const TweakPlan& plan) {
    const std::string restore =
        "Undo: every captured value is put back from last to first, with its type and bytes; a "
        "value that did not exist is deleted again (a key the apply created stays, empty).\n";
    switch (plan.action) {
        case TweakAction::RegistryWrites:
            return "Writes, each after capturing the value it replaces:\n\n" + WritesTable(plan) +
                   "\n" + restore;
        case TweakAction::PointerWrites:
            return "Writes, each after capturing the value it replaces:\n\n" + WritesTable(plan) +
                   "\nThen sets the live pointer settings to {0, 0, 0} "
                   "(`SystemParametersInfoW` `SPI_SETMOUSE`, saved to the profile).\n\n" +
                   restore +
                   "The live pointer settings are then set from the restored values "
                   "(6, 10 and 1 for a value that was absent or not a number), without writing "
                   "the profile again.\n";
        case TweakAction::InterfaceWrites:
            return "For every subkey of `HKLM\\" + ToUtf8(std::u16string(kTcpipInterfacesKey)) +
                   "` (none: nothing to do), writes, each after capturing the value it "
                   "replaces:\n\n" +
                   WritesTable(plan) + "\n" + restore;
        case TweakAction::DisableServices:
            return "Services: " + ServiceList(plan) +
                   ". Each start type is captured, set to disabled (4), and the service asked to "
                   "stop; only the first service's change decides success.\n\n"
                   "Undo: each start type is set back (a service removed since, or already as "
                   "captured, counts as restored); a service that started automatically before is "
                   "started.\n";
        case TweakAction::SidecarServices:
            return "Services: " + ServiceList(plan) +
                   ". Each start type is captured (absent and disabled ones too); those that exist "
                   "and are not disabled are set to disabled (4) and asked to stop.\n\n"
                   "Undo: each start type is set back (a service removed since, or already as "
                   "captured, counts as restored); a service that started automatically before is "
                   "started.\n";
        case TweakAction::Hibernation:
            return "Remembers under `" + std::string(plan.id) +
                   ".was` whether hibernation was on, from the DWORD `HibernateEnabled` under "
                   "`HKLM\\SYSTEM\\CurrentControlSet\\Control\\Power`, then runs `powercfg "
                   "/h off`.\n\nUndo: runs `powercfg /h on`, unless hibernation was "
                   "remembered off.\n";
        case TweakAction::TelemetryTasks:
            return "Runs `schtasks /Change /TN \"<task>\" /Disable` for each task:\n\n" +
                   TaskList() + "\nUndo: the same with `/Enable`.\n";
        case TweakAction::AppxRemoval:
            return "Runs:\n\n```\n" + ToUtf8(AppxRemovalCommand()) +
                   "\n```\n\nUndo: none. Removed packages must be reinstalled from the Store.\n";
        case TweakAction::TimerHolder:
            return "Starts a thread that asks for a 0.5 ms timer resolution "
                   "(`NtSetTimerResolution`) every 250 ms; started again at every start-up "
                   "while applied.\n\nUndo: the thread is stopped (waiting at most 2 s) and the "
                   "request withdrawn.\n";
        case TweakAction::PowerPlan:
            return "Remembers the active power scheme under `" + std::string(plan.id) +
                   ".prev` and activates Ultimate Performance, or High performance when that is "
                   "not installed; when the active scheme cannot be read, nothing is remembered."
                   "\n\nUndo: activates the remembered scheme and forgets it; Balanced when "
                   "there is none or it cannot be activated, with a warning in the log.\n";
        case TweakAction::Dns:
            return "Captures the IPv4 and IPv6 `NameServer` values of the active interface "
                   "(`HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\"
                   "<guid>` and the same under `Tcpip6`), then runs `netsh interface ipv4 set "
                   "dnsservers ... static <primary> primary`, `netsh interface ipv4 add dnsservers "
                   "... <secondary> index=2`, `netsh interface ipv6 set dnsservers ... "
                   "source=dhcp` and `ipconfig /flushdns`. The servers are the last preset "
                   "chosen, 1.1.1.1 and 1.0.0.1 by default.\n\nUndo: the captured servers are set "
                   "again with `netsh`, IPv4 and IPv6 each server on its own (DHCP where none "
                   "were captured), on the interface that was changed, and the resolver cache is "
                   "flushed; a server that does not come back fails the undo.\n";
    }
    return {};
}

}  // namespace

std::string RenderTweakDocument() {
    std::string text =
        "# Tweaks\n\n"
        "Generated from the engine's tables (`engine/catalog.cpp`, `engine/tweak_table.cpp`); a "
        "test fails when this file differs from what they give. Regenerate it with "
        "`bash scripts/tweak-doc.sh`.\n\n"
        "Before a tweak changes a registry value or a service start type, the prior state is "
        "captured and saved in `state.bin`; a revert restores only captures that its own tweak "
        "could have taken (the values in its table, its own services, server lists that are "
        "plain addresses). A failed apply puts back what its attempt had changed.\n";
    std::string category;
    for (std::size_t i = 0; i < TweakCatalog.size(); ++i) {
        const TweakEntry& entry = TweakCatalog[i];
        if (category != entry.category) {
            category = entry.category;
            text += "\n## " + category + "\n";
        }
        text += "\n### " + std::string(entry.name) + " (`" + entry.id + "`)\n\n";
        text += std::string(entry.description) + "\n\nRisk: " + RiskText(entry.risk) +
                (entry.reversible ? "" : ", irreversible") + ".\n\n";
        text += Behaviour(kTweakPlans[i]);
    }
    return text;
}
