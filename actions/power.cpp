#include "actions/power.h"

#include "actions/command_runner.h"
#include "actions/registry.h"
#include "platform/power.h"
#include "platform/registry.h"
#include "state/text.h"

namespace {

constexpr platform::Guid kUltimatePerformance = {
    0xe9a42b02, 0xd5df, 0x448d, {0xaa, 0x00, 0x03, 0xf1, 0x47, 0x49, 0xeb, 0x61}};
constexpr platform::Guid kHighPerformance = {
    0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}};

std::string RememberedKey(std::string_view id) {
    return std::string(id) + ".prev";
}

constexpr char16_t kPowerKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Power";

}  // namespace

Result ApplyPowerPlan(AppState& state, std::string_view id) {
    // A memory from an earlier apply is not this one's: the plan is remembered afresh or
    // not at all.
    state.BackupStore.erase(RememberedKey(id));
    platform::Guid active;
    if (platform::PowerActiveScheme(active).Ok()) {
        char16_t text[64] = {};
        const int written = platform::GuidToText(active, text, 64);
        if (written > 0) {
            state.BackupStore[RememberedKey(id)] =
                ToUtf8(std::u16string_view(text, static_cast<std::size_t>(written - 1)));
        }
    }
    Result result;
    for (const platform::Guid& scheme : {kUltimatePerformance, kHighPerformance}) {
        const platform::Status set = platform::PowerSetActiveScheme(scheme);
        if (set.Ok())
            return {};
        result.KeepFirst(Refusal::Call("PowerSetActiveScheme", set.Code()));
    }
    Result command = RunCommand(u"powercfg /setactive SCHEME_MIN");
    if (command.Ok())
        return command;
    result.KeepFirst(std::move(command));
    return result;
}

std::string PowerPlanMemoryKey(std::string_view id) {
    return RememberedKey(id);
}

PowerPlanRestore RestorePowerPlan(const AppState& state, std::string_view id) {
    Result result;
    const auto remembered = state.BackupStore.find(RememberedKey(id));
    if (remembered != state.BackupStore.end() && !remembered->second.empty()) {
        platform::Guid scheme;
        const platform::Status parsed = platform::GuidFromText(ToUtf16(remembered->second), scheme);
        if (!platform::Succeeded(parsed)) {
            result = Refusal::Call("CLSIDFromString", parsed.Code());
        } else if (const platform::Status set = platform::PowerSetActiveScheme(scheme); !set.Ok()) {
            result = Refusal::Call("PowerSetActiveScheme", set.Code());
        } else {
            return {};
        }
    }
    Result command = RunCommand(u"powercfg /setactive SCHEME_BALANCED");
    if (command.Ok())
        return {std::move(command), true};
    result.KeepFirst(std::move(command));
    return {std::move(result), false};
}

std::string HibernationMemoryKey(std::string_view id) {
    return std::string(id) + ".was";
}

Result SwitchHibernationOff(AppState& state, std::string_view id) {
    // What it was is known only from a DWORD HibernateEnabled; without one, nothing is
    // remembered and the undo turns it on, as it always did.
    state.BackupStore.erase(HibernationMemoryKey(id));
    RegistryCapture capture;
    if (ReadRegistryValue(RegistryRoot::LocalMachine, kPowerKey, u"HibernateEnabled", capture)
            .Ok() &&
        capture.existed && capture.type == platform::kRegDword && capture.data.size() == 4) {
        const bool on =
            (capture.data[0] | capture.data[1] | capture.data[2] | capture.data[3]) != 0;
        state.BackupStore[HibernationMemoryKey(id)] = std::string(1, on ? '1' : '0');
    }
    return RunCommand(u"powercfg /h off");
}

Result RestoreHibernation(const AppState& state, std::string_view id) {
    const auto remembered = state.BackupStore.find(HibernationMemoryKey(id));
    if (remembered != state.BackupStore.end() && remembered->second == "0")
        return {};
    return RunCommand(u"powercfg /h on");
}
