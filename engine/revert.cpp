#include "engine/revert.h"

#include <string>

#include "actions/command_runner.h"
#include "actions/power.h"
#include "actions/timer_holder.h"
#include "engine/capture_check.h"
#include "engine/restore.h"
#include "net/dns.h"

namespace {

// The undo alone; changes no state, and tells what the bookkeeping must add.
Result RunRevertAction(const AppState& state, const TweakPlan& plan, TweakChange& change) {
    switch (plan.action) {
        case TweakAction::TimerHolder:
            StopTimerHolder();
            return {};
        case TweakAction::PowerPlan: {
            PowerPlanRestore restored = RestorePowerPlan(state, plan.id);
            if (restored.result.Ok()) {
                change.storeErased.push_back(PowerPlanMemoryKey(plan.id));
                if (restored.balancedInstead)
                    change.notices.emplace_back(kBalancedInsteadNotice);
            }
            return std::move(restored.result);
        }
        case TweakAction::Hibernation: {
            Result restored = RestoreHibernation(state, plan.id);
            if (restored.Ok())
                change.storeErased.push_back(HibernationMemoryKey(plan.id));
            return restored;
        }
        case TweakAction::Dns:
            return RevertDns(state);
        case TweakAction::AppxRemoval:
            return Refusal::Own("cannot be undone");
        case TweakAction::TelemetryTasks:
            return SetTelemetryTasks(false);
        case TweakAction::RegistryWrites:
        case TweakAction::PointerWrites:
        case TweakAction::InterfaceWrites:
        case TweakAction::DisableServices:
        case TweakAction::SidecarServices:
            return RestoreCaptures(state, plan);
    }
    return Refusal::Own(kNotInCatalog);
}

}  // namespace

TweakChange RunRevert(const AppState& state, std::string_view id) {
    TweakChange change;
    change.id = std::string(id);
    change.direction = TweakDirection::Revert;
    const TweakPlan* plan = LookupPlan(id);
    if (plan == nullptr || LookupTweak(id) == nullptr) {
        change.result = Refusal::Own(kNotInCatalog);
    } else if (!CapturesAreTheTweaksOwn(state, *plan)) {
        // Captures that are not the tweak's own are restored not at all, not even in part.
        change.result = Refusal::Own("captures are not the tweak's own");
    } else {
        change.result = RunRevertAction(state, *plan, change);
    }
    return change;
}
