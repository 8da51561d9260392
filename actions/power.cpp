#include "actions/power.h"

#include "actions/command_runner.h"
#include "platform/power.h"
#include "state/text.h"

namespace {

constexpr platform::Guid kUltimatePerformance = {
    0xe9a42b02, 0xd5df, 0x448d, {0xaa, 0x00, 0x03, 0xf1, 0x47, 0x49, 0xeb, 0x61}};
constexpr platform::Guid kHighPerformance = {
    0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}};

std::string RememberedKey(std::string_view id) {
    return std::string(id) + ".prev";
}

}  // namespace

bool ApplyPowerPlan(AppState& state, std::string_view id) {
    platform::Guid active;
    if (platform::PowerActiveScheme(active).ok()) {
        char16_t text[64] = {};
        const int written = platform::GuidToText(active, text, 64);
        if (written > 0) {
            state.BackupStore[RememberedKey(id)] =
                ToUtf8(std::u16string_view(text, static_cast<std::size_t>(written - 1)));
        }
    }
    return platform::PowerSetActiveScheme(kUltimatePerformance).ok() ||
           platform::PowerSetActiveScheme(kHighPerformance).ok() ||
           RunCommand(u"powercfg /setactive SCHEME_MIN");
}

bool RestorePowerPlan(const AppState& state, std::string_view id) {
    const auto remembered = state.BackupStore.find(RememberedKey(id));
    if (remembered != state.BackupStore.end() && !remembered->second.empty()) {
        platform::Guid scheme;
        if (platform::Succeeded(platform::GuidFromText(ToUtf16(remembered->second), scheme)) &&
            platform::PowerSetActiveScheme(scheme).ok()) {
            return true;
        }
    }
    return RunCommand(u"powercfg /setactive SCHEME_BALANCED");
}
