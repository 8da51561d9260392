#include "engine/capture_check.h"

#include <algorithm>

#include "net/dns.h"
#include "platform/registry.h"
#include "platform/services.h"

namespace {

bool IsTableRow(const RegistryCapture& capture, const TweakPlan& plan) {
    return std::any_of(plan.writes.begin(), plan.writes.end(), [&](const RegistryWrite& write) {
        return capture.root == write.root && SameAsciiNoCase(capture.subkey, write.key) &&
               SameAsciiNoCase(capture.valueName, write.value);
    });
}

// A value of the table under one direct subkey of the interfaces key.
bool IsInterfaceRow(const RegistryCapture& capture, const TweakPlan& plan) {
    const std::u16string_view key = capture.subkey;
    if (capture.root != RegistryRoot::LocalMachine ||
        key.size() <= kTcpipInterfacesKey.size() + 1 ||
        !SameAsciiNoCase(key.substr(0, kTcpipInterfacesKey.size()), kTcpipInterfacesKey) ||
        key[kTcpipInterfacesKey.size()] != u'\\' ||
        key.substr(kTcpipInterfacesKey.size() + 1).find(u'\\') != std::u16string_view::npos) {
        return false;
    }
    return std::any_of(plan.writes.begin(), plan.writes.end(), [&](const RegistryWrite& write) {
        return SameAsciiNoCase(capture.valueName, write.value);
    });
}

// The undo hands the text to netsh: only what an address list is made of may pass.
bool IsServerList(const RegistryCapture& capture) {
    if (capture.root != RegistryRoot::LocalMachine ||
        !SameAsciiNoCase(capture.valueName, u"NameServer")) {
        return false;
    }
    const std::u16string text = NameServerText(capture);
    return std::all_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F') ||
               c == u'.' || c == u':' || c == u'%' || c == u',' || c == u' ';
    });
}

bool IsOwnService(const ServiceCapture& capture, const TweakPlan& plan) {
    const bool named = std::any_of(
        plan.services.begin(), plan.services.end(),
        [&](std::u16string_view service) { return SameAsciiNoCase(capture.serviceName, service); });
    const bool startType = !capture.existed || (capture.startType >= platform::kServiceAutoStart &&
                                                capture.startType <= platform::kServiceDisabled);
    return named && startType;
}

template <typename Capture, typename Check>
bool All(const std::map<std::string, std::vector<Capture>, std::less<>>& backups,
         std::string_view id, Check check) {
    const auto found = backups.find(id);
    return found == backups.end() || std::all_of(found->second.begin(), found->second.end(), check);
}

}  // namespace

bool CapturesAreTheTweaksOwn(const AppState& state, const TweakPlan& plan) {
    const auto ownService = [&](const ServiceCapture& c) { return IsOwnService(c, plan); };
    switch (plan.action) {
        case TweakAction::RegistryWrites:
        case TweakAction::PointerWrites:
        case TweakAction::DisableServices:
        case TweakAction::SidecarServices:
            return All(state.RegistryBackups, plan.id,
                       [&](const RegistryCapture& c) { return IsTableRow(c, plan); }) &&
                   All(state.ServiceBackups, plan.id, ownService);
        case TweakAction::InterfaceWrites:
            return All(state.RegistryBackups, plan.id,
                       [&](const RegistryCapture& c) { return IsInterfaceRow(c, plan); }) &&
                   All(state.ServiceBackups, plan.id, ownService);
        case TweakAction::Dns:
            return All(state.RegistryBackups, plan.id, IsServerList);
        default:
            return true;
    }
}
