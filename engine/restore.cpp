#include "engine/restore.h"

#include "actions/registry.h"
#include "actions/services.h"
#include "platform/pointer.h"
#include "platform/registry.h"
#include "platform/services.h"

namespace {

template <typename Capture>
const std::vector<Capture>* ListOf(
    const std::map<std::string, std::vector<Capture>, std::less<>>& backups, std::string_view id) {
    const auto found = backups.find(id);
    return found == backups.end() ? nullptr : &found->second;
}

// The value a restored pointer capture put back, when it is a small decimal number.
bool PointerNumber(const RegistryCapture& capture, std::int32_t& number) {
    if (!capture.existed || capture.type != platform::kRegSz)
        return false;
    std::int32_t value = 0;
    std::size_t digits = 0;
    for (std::size_t at = 0; at + 1 < capture.data.size(); at += 2) {
        const char16_t unit = static_cast<char16_t>(capture.data[at] | (capture.data[at + 1] << 8));
        if (unit == u'\0')
            break;
        if (unit < u'0' || unit > u'9' || ++digits > 5)
            return false;
        value = value * 10 + (unit - u'0');
    }
    if (digits == 0)
        return false;
    number = value;
    return true;
}

// The live settings as the restored registry now describes them, so that Windows does not
// write its defaults over the values just put back.
void FollowRestoredPointer(const std::vector<RegistryCapture>& captures) {
    static constexpr std::u16string_view kNames[] = {u"MouseThreshold1", u"MouseThreshold2",
                                                     u"MouseSpeed"};
    platform::MouseParameters parameters = {6, 10, 1};
    bool taken[3] = {};
    // The oldest capture of a value is the one left in force by a last-to-first restore.
    for (const RegistryCapture& capture : captures) {
        for (std::size_t n = 0; n < 3; ++n) {
            if (!taken[n] && SameAsciiNoCase(capture.valueName, kNames[n])) {
                taken[n] = true;
                std::int32_t number = 0;
                if (PointerNumber(capture, number))
                    parameters[n] = number;
            }
        }
    }
    static_cast<void>(platform::PointerSetMouse(parameters, platform::kSpifSendChange));
}

}  // namespace

Result RestoreCaptures(const AppState& state, const TweakPlan& plan) {
    Result result;
    const auto* registry = ListOf(state.RegistryBackups, plan.id);
    if (registry != nullptr) {
        for (std::size_t i = registry->size(); i > 0; --i)
            result.KeepFirst(RestoreRegistryValue((*registry)[i - 1]));
    }
    if (const auto* services = ListOf(state.ServiceBackups, plan.id)) {
        for (std::size_t i = services->size(); i > 0; --i) {
            const ServiceCapture& capture = (*services)[i - 1];
            result.KeepFirst(RestoreServiceStartType(capture));
            if (capture.existed && capture.startType == platform::kServiceAutoStart)
                RequestServiceStart(capture.serviceName);
        }
    }
    if (plan.action == TweakAction::PointerWrites)
        FollowRestoredPointer(registry != nullptr ? *registry : std::vector<RegistryCapture>{});
    return result;
}
