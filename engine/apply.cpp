#include "engine/apply.h"

#include <string>
#include <vector>

#include "actions/command_runner.h"
#include "actions/power.h"
#include "actions/registry.h"
#include "actions/services.h"
#include "actions/timer_holder.h"
#include "engine/restore.h"
#include "net/dns.h"
#include "platform/pointer.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "state/session_log.h"
#include "state/state_file.h"
#include "state/text.h"

namespace {

bool WriteCaptured(AppState& state, std::string_view id, const RegistryWrite& write,
                   const std::u16string& key) {
    const std::u16string value(write.value);
    switch (write.type) {
        case platform::kRegDword:
            return SetDwordCaptured(state, id, write.root, key, value, write.dword);
        case platform::kRegSz:
            return SetStringCaptured(state, id, write.root, key, value, std::u16string(write.text));
        default:
            return SetBinaryCaptured(state, id, write.root, key, value, write.bytes);
    }
}

// Every write runs, also after one failed.
bool WriteAll(AppState& state, const TweakPlan& plan, const std::u16string& keySuffix = {}) {
    bool ok = true;
    for (const RegistryWrite& write : plan.writes) {
        if (!WriteCaptured(state, plan.id, write, std::u16string(write.key) + keySuffix))
            ok = false;
    }
    return ok;
}

std::vector<std::u16string> InterfaceNames() {
    std::vector<std::u16string> names;
    platform::RegistryKey interfaces;
    if (!platform::RegistryOpenKey(platform::kHkeyLocalMachine, std::u16string(kTcpipInterfacesKey),
                                   platform::kKeyRead, interfaces)
             .ok()) {
        return names;
    }
    std::u16string name;
    for (std::uint32_t index = 0;
         platform::RegistryEnumKey(interfaces, index, kInterfaceNameCapacity, name).ok(); ++index) {
        names.push_back(name);
    }
    return names;
}

// Without the interfaces key or any interface there is nothing to write: that counts as done.
bool WriteEveryInterface(AppState& state, const TweakPlan& plan) {
    bool ok = true;
    for (const std::u16string& name : InterfaceNames()) {
        if (!WriteAll(state, plan, u"\\" + name))
            ok = false;
    }
    return ok;
}

// Only the first service decides; the others are disabled when they can be.
bool DisableServices(AppState& state, const TweakPlan& plan) {
    bool ok = false;
    for (std::size_t i = 0; i < plan.services.size(); ++i) {
        const bool disabled =
            DisableServiceCaptured(state, plan.id, std::u16string(plan.services[i]));
        if (i == 0)
            ok = disabled;
    }
    return ok;
}

// Captures every service it can read, absent or disabled ones too, and changes only those
// that exist and are not yet disabled.
bool DisableSidecarServices(AppState& state, const TweakPlan& plan) {
    bool ok = true;
    for (const std::u16string_view service : plan.services) {
        const std::u16string name(service);
        ServiceCapture capture;
        if (!QueryService(name, capture))
            continue;
        CaptureList(state.ServiceBackups, plan.id).push_back(capture);
        if (capture.existed && capture.startType != platform::kServiceDisabled) {
            if (!SetServiceStartType(name, platform::kServiceDisabled))
                ok = false;
            static_cast<void>(StopService(name));
        }
    }
    return ok;
}

// The servers of the last preset chosen, Cloudflare's by default. An empty secondary that
// was chosen stays empty.
bool ApplyChosenDns(AppState& state, const TweakPlan& plan) {
    std::u16string primary = u"1.1.1.1";
    std::u16string secondary = u"1.0.0.1";
    if (const auto found = state.BackupStore.find("dns.v4");
        found != state.BackupStore.end() && !found->second.empty()) {
        primary = ToUtf16(found->second);
    }
    if (const auto found = state.BackupStore.find("dns.v4b"); found != state.BackupStore.end())
        secondary = ToUtf16(found->second);
    return ApplyDns(state, plan.id, primary, secondary);
}

void Log(AppState& state, const char* prefix, const TweakEntry& entry, LogKind kind) {
    LogAction(state, std::string(prefix) + entry.name, kind);
}

}  // namespace

bool RunApplyAction(AppState& state, const TweakPlan& plan) {
    switch (plan.action) {
        case TweakAction::RegistryWrites:
            return WriteAll(state, plan);
        case TweakAction::PointerWrites: {
            const bool ok = WriteAll(state, plan);
            static_cast<void>(platform::PointerSetMouse(
                {0, 0, 0}, platform::kSpifUpdateIniFile | platform::kSpifSendChange));
            return ok;
        }
        case TweakAction::InterfaceWrites:
            return WriteEveryInterface(state, plan);
        case TweakAction::DisableServices:
            return DisableServices(state, plan);
        case TweakAction::SidecarServices:
            return DisableSidecarServices(state, plan);
        case TweakAction::Hibernation:
            return RunCommand(u"powercfg /h off");
        case TweakAction::TelemetryTasks:
            return SetTelemetryTasks(true);
        case TweakAction::AppxRemoval:
            return RunCommand(AppxRemovalCommand());
        case TweakAction::TimerHolder:
            return TimerHolderRunning.load() || StartTimerHolder();
        case TweakAction::PowerPlan:
            return ApplyPowerPlan(state, plan.id);
        case TweakAction::Dns:
            return ApplyChosenDns(state, plan);
    }
    return false;
}

bool ApplyTweak(AppState& state, std::string_view id, bool quiet) {
    const TweakEntry* entry = LookupTweak(id);
    const TweakPlan* plan = LookupPlan(id);
    if (entry == nullptr || plan == nullptr)
        return false;
    if (IsApplied(state, id))
        return true;

    const CaptureMark mark = MarkCaptures(state, id);
    const bool ok = RunApplyAction(state, *plan);

    if (ok) {
        state.AppliedSet.emplace(id);
        static_cast<void>(SaveState(state));
        if (!quiet)
            Log(state, "applied  ", *entry, LogKind::Success);
        return true;
    }
    // A failed attempt leaves the machine as it found it, as far as its captures allow.
    if (CapturesChanges(plan->action))
        static_cast<void>(RestoreCaptures(state, *plan, mark));
    state.RegistryBackups.erase(std::string(id));
    state.ServiceBackups.erase(std::string(id));
    if (!quiet)
        Log(state, "failed  ", *entry, LogKind::Error);
    return false;
}
