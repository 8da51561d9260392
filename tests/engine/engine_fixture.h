// A simulated machine for the tweak engine, with helpers to read back what a user would
// see: registry values, service start types, command lines, the log and state.bin.
#pragma once

#include <string>
#include <vector>

#include "engine/operations.h"
#include "engine/tweak_table.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "state/state_file.h"
#include "state/text.h"
#include "support/quiet_change.h"
#include "support/sim_fixture.h"

class EngineTest : public SimTest {
  protected:
    static std::u16string Path(const RegistryWrite& write) {
        return sim::RegistryPath(static_cast<std::uint32_t>(write.root), std::u16string(write.key));
    }
    static std::optional<sim::RegistryValue> Value(const RegistryWrite& write,
                                                   const std::u16string& keySuffix = {}) {
        return sim::RegistryValueOf(static_cast<std::uint32_t>(write.root),
                                    std::u16string(write.key) + keySuffix,
                                    std::u16string(write.value));
    }
    static void Put(const RegistryWrite& write, std::uint32_t type, sim::Bytes data,
                    const std::u16string& keySuffix = {}) {
        sim::PutRegistryValue(static_cast<std::uint32_t>(write.root),
                              std::u16string(write.key) + keySuffix, std::u16string(write.value),
                              type, std::move(data));
    }
    static const TweakPlan& Plan(std::string_view id) { return *LookupPlan(id); }
    // A standard user: HKEY_LOCAL_MACHINE and the services can be read but not changed.
    static void WithoutRights() {
        sim::TheMachine().registryFaults.refusedAccess[u"HKEY_LOCAL_MACHINE"] =
            platform::kKeySetValue;
        for (auto& [name, service] : sim::TheMachine().serviceManager.services) {
            service.refusedAccess =
                platform::kServiceChangeConfig | platform::kServiceStart | platform::kServiceStop;
        }
    }
    static void WithRights() {
        sim::TheMachine().registryFaults.refusedAccess.clear();
        for (auto& [name, service] : sim::TheMachine().serviceManager.services)
            service.refusedAccess = 0;
    }
    static std::vector<std::u16string> Commands() {
        std::vector<std::u16string> lines;
        for (const auto& run : sim::TheMachine().processes.runs)
            lines.push_back(run.commandLine);
        return lines;
    }
    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const LogEntry& entry : state.LogEntries)
            lines.push_back(entry.message);
        return lines;
    }
    static std::optional<sim::Bytes> StateFile() { return sim::FileContent(StatePath()); }
    // session.log as text.
    static std::string SessionLog() {
        const std::optional<sim::Bytes> bytes = sim::FileContent(LogPath());
        std::u16string text;
        if (bytes) {
            for (std::size_t at = 0; at + 1 < bytes->size(); at += 2)
                text.push_back(static_cast<char16_t>((*bytes)[at] | ((*bytes)[at + 1] << 8)));
        }
        return ToUtf8(text);
    }

    AppState state;
};
