#include "app/startup.h"

#include "actions/timer_holder.h"
#include "sysinfo/snapshot.h"
#include "state/session_log.h"
#include "state/state_file.h"

bool TakesInstanceLock(const CommandLineOptions& options) {
    return options.screenshotPath.empty();
}

std::u16string InstanceLockName(std::u16string_view userSid) {
    return u"Global\\QuillfarrowOptimizer-" + std::u16string(userSid);
}

void StartSession(AppState& state, ShellState& shell, const CommandLineOptions& options) {
    LoadState(state);
    TakeMachineSnapshot();
    // A timer resolution recorded as applied is held again in this run.
    if (IsApplied(state, "timerres")) {
        static_cast<void>(StartTimerHolder());
    }
    if (options.page) {
        shell.CurrentPage = *options.page;
    }
    // A screenshot run leaves no trace in the log.
    if (options.screenshotPath.empty()) {
        LogAction(state, "optimizer ready", LogKind::Info);
        // The file may hold captures this run could not read; no save will replace it.
        if (LastStateFileLoad() == StateFileLoad::Unreadable) {
            LogAction(state, "state file unreadable: changes will not be kept", LogKind::Error);
        }
    }
}

void EndSession(const AppState& state) {
    if (IsApplied(state, "timerres")) {
        StopTimerHolder();
    }
}
