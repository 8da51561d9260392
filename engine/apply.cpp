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
#include "state/text.h"

namespace {

Result WriteCaptured(AppState& state, std::string_view id, const RegistryWrite& write,
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
Result WriteAll(AppState& state, const TweakPlan& plan, const std::u16string& keySuffix = {}) {
    Result result;
    for (const RegistryWrite& write : plan.writes)
        result.KeepFirst(
            WriteCaptured(state, plan.id, write, std::u16string(write.key) + keySuffix));
    return result;
}

std::vector<std::u16string> InterfaceNames() {
    std::vector<std::u16string> names;
    platform::RegistryKey interfaces;
    if (!platform::RegistryOpenKey(platform::kHkeyLocalMachine, std::u16string(kTcpipInterfacesKey),
                                   platform::kKeyRead, interfaces)
             .Ok()) {
        return names;
    }
    std::u16string name;
    for (std::uint32_t index = 0;
         platform::RegistryEnumKey(interfaces, index, kInterfaceNameCapacity, name).Ok(); ++index) {
        names.push_back(name);
    }
    return names;
}

// Without the interfaces key or any interface there is nothing to write: that counts as done.
Result WriteEveryInterface(AppState& state, const TweakPlan& plan) {
    Result result;
    for (const std::u16string& name : InterfaceNames())
        result.KeepFirst(WriteAll(state, plan, u"\\" + name));
    return result;
}

// Only the first service decides; the others are disabled when they can be.
Result DisableServices(AppState& state, const TweakPlan& plan) {
    Result result;
    for (std::size_t i = 0; i < plan.services.size(); ++i) {
        Result disabled = DisableServiceCaptured(state, plan.id, std::u16string(plan.services[i]));
        if (i == 0)
            result = std::move(disabled);
    }
    return result;
}

// Captures every service it can read, absent or disabled ones too, and changes only those
// that exist and are not yet disabled.
Result DisableSidecarServices(AppState& state, const TweakPlan& plan) {
    Result result;
    for (const std::u16string_view service : plan.services) {
        const std::u16string name(service);
        ServiceCapture capture;
        if (!QueryService(name, capture).Ok())
            continue;
        CaptureList(state.ServiceBackups, plan.id).push_back(capture);
        if (capture.existed && capture.startType != platform::kServiceDisabled) {
            result.KeepFirst(SetServiceStartType(name, platform::kServiceDisabled));
            static_cast<void>(StopService(name));
        }
    }
    return result;
}

// The servers of the last preset chosen, Cloudflare's by default. An empty secondary that
// was chosen stays empty.
Result ApplyChosenDns(AppState& state, const TweakPlan& plan) {
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

// The action alone: changes the machine and appends captures and BackupStore entries to
// `state`.
Result RunApplyAction(AppState& state, const TweakPlan& plan) {
    switch (plan.action) {
        case TweakAction::RegistryWrites:
            return WriteAll(state, plan);
        case TweakAction::PointerWrites: {
            Result result = WriteAll(state, plan);
            static_cast<void>(platform::PointerSetMouse(
                {0, 0, 0}, platform::kSpifUpdateIniFile | platform::kSpifSendChange));
            return result;
        }
        case TweakAction::InterfaceWrites:
            return WriteEveryInterface(state, plan);
        case TweakAction::DisableServices:
            return DisableServices(state, plan);
        case TweakAction::SidecarServices:
            return DisableSidecarServices(state, plan);
        case TweakAction::Hibernation:
            return SwitchHibernationOff(state, plan.id);
        case TweakAction::TelemetryTasks:
            return SetTelemetryTasks(true);
        case TweakAction::AppxRemoval:
            return RunCommand(AppxRemovalCommand());
        case TweakAction::TimerHolder:
            return StartTimerHolder();
        case TweakAction::PowerPlan:
            return ApplyPowerPlan(state, plan.id);
        case TweakAction::Dns:
            return ApplyChosenDns(state, plan);
    }
    return Refusal::Own(kNotInCatalog);
}

template <typename Capture>
std::vector<Capture> TakeList(std::map<std::string, std::vector<Capture>, std::less<>>& backups,
                              std::string_view id) {
    const auto found = backups.find(id);
    return found == backups.end() ? std::vector<Capture>{} : std::move(found->second);
}

}  // namespace

TweakChange RunApply(const AppState& state, std::string_view id) {
    TweakChange change;
    change.id = std::string(id);
    const TweakPlan* plan = LookupPlan(id);
    if (plan == nullptr || LookupTweak(id) == nullptr) {
        change.result = Refusal::Own(kNotInCatalog);
        return change;
    }
    AppState scratch;
    scratch.BackupStore = state.BackupStore;
    change.result = RunApplyAction(scratch, *plan);
    // A failed attempt leaves the machine as it found it, as far as its captures allow.
    if (!change.result.Ok() && CapturesChanges(plan->action))
        change.rollback = RestoreCaptures(scratch, *plan);
    change.registryCaptures = TakeList(scratch.RegistryBackups, id);
    change.serviceCaptures = TakeList(scratch.ServiceBackups, id);
    for (const auto& [key, value] : state.BackupStore) {
        if (scratch.BackupStore.find(key) == scratch.BackupStore.end())
            change.storeErased.push_back(key);
    }
    for (auto& [key, value] : scratch.BackupStore) {
        const auto before = state.BackupStore.find(key);
        if (before == state.BackupStore.end() || before->second != value)
            change.storeEntries.emplace(key, std::move(value));
    }
    return change;
}
