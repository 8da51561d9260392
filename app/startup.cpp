#include "app/startup.h"

#include "actions/timer_holder.h"
#include "sysinfo/snapshot.h"
#include "ui/shell_state.h"
#include "platform/process.h"
#include "state/session_log.h"
#include "state/state_file.h"

CommandLineOptions StartSession(AppState& state) {
    LoadState(state);
    TakeMachineSnapshot();
    // A timer resolution recorded as applied is held again in this run.
    if (IsApplied(state, "timerres")) {
        static_cast<void>(StartTimerHolder());
    }
    CommandLineOptions options = ParseCommandLine(platform::CommandLineArguments());
    if (options.page) {
        CurrentPage = *options.page;
    }
    // A screenshot run leaves no trace in the log.
    if (options.screenshotPath.empty()) {
        LogAction(state, "optimizer ready", LogKind::Info);
    }
    return options;
}

void EndSession(const AppState& state) {
    if (IsApplied(state, "timerres")) {
        StopTimerHolder();
    }
}
