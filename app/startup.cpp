#include "app/startup.h"

#include "ui/shell_state.h"
#include "platform/process.h"
#include "state/session_log.h"
#include "state/state_file.h"

CommandLineOptions StartSession(AppState& state) {
    LoadState(state);
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
