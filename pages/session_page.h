// The colour of a session-log message in the log lists of the dashboard and the log page.
#pragma once

#include <imgui.h>

#include "state/app_state.h"

// Errors red, successes green, warnings amber; Info and any other kind secondary text.
ImU32 LogMessageColour(LogKind kind);
