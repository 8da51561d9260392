#include "app/startup.h"

#include "actions/timer_holder.h"
#include "ui/shell_state.h"
#include "state/session_log.h"
#include "state/state_file.h"

bool TakesInstanceLock(const CommandLineOptions& options) {
    return options.screenshotPath.empty();
}

std::u16string InstanceLockName(std::u16string_view userSid) {
    return u"Global\\QuillfarrowOptimizer-" + std::u16string(userSid);
}

void StartSession(AppState& state, const CommandLineOptions& options) {
    LoadState(state);
    // A timer resolution recorded as applied is held again in this run.
    if (IsApplied(state, "timerres")) {
        static_cast<void>(StartTimerHolder());
    }
    if (options.page) {
        CurrentPage = *options.page;
    }
    // A screenshot run leaves no trace in the log.
    if (options.screenshotPath.empty()) {
        LogAction(state, "optimizer ready", LogKind::Info);
    }
}

void EndSession(const AppState& state) {
    if (IsApplied(state, "timerres")) {
        StopTimerHolder();
    }
}
