#include "engine/revert.h"

#include <string>

#include "actions/command_runner.h"
#include "actions/power.h"
#include "actions/timer_holder.h"
#include "engine/capture_check.h"
#include "engine/restore.h"
#include "net/dns.h"
#include "state/session_log.h"
#include "state/state_file.h"

bool RunRevertAction(const AppState& state, const TweakPlan& plan) {
    switch (plan.action) {
        case TweakAction::TimerHolder:
            StopTimerHolder();
            return true;
        case TweakAction::PowerPlan:
            return RestorePowerPlan(state, plan.id);
        case TweakAction::Hibernation:
            return RunCommand(u"powercfg /h on");
        case TweakAction::Dns:
            return RevertDns(state);
        case TweakAction::AppxRemoval:
            return false;
        case TweakAction::TelemetryTasks:
            return SetTelemetryTasks(false);
        case TweakAction::RegistryWrites:
        case TweakAction::PointerWrites:
        case TweakAction::InterfaceWrites:
        case TweakAction::DisableServices:
        case TweakAction::SidecarServices:
            return RestoreCaptures(state, plan);
    }
    return false;
}

bool RevertTweak(AppState& state, std::string_view id, bool quiet) {
    const TweakEntry* entry = LookupTweak(id);
    const TweakPlan* plan = LookupPlan(id);
    if (entry == nullptr || plan == nullptr)
        return false;
    if (!IsApplied(state, id))
        return true;

    // Captures that are not the tweak's own are restored not at all, not even in part.
    const bool ok = CapturesAreTheTweaksOwn(state, *plan) && RunRevertAction(state, *plan);

    if (!ok) {
        if (!quiet)
            LogAction(state, std::string("revert failed  ") + entry->name, LogKind::Error);
        return false;
    }
    state.AppliedSet.erase(std::string(id));
    state.RegistryBackups.erase(std::string(id));
    state.ServiceBackups.erase(std::string(id));
    static_cast<void>(SaveState(state));
    if (!quiet)
        LogAction(state, std::string("reverted  ") + entry->name, LogKind::Info);
    return true;
}
