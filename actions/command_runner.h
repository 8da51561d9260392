// The system's own command-line tools, run hidden, with the exit code as the result; and the
// nine telemetry scheduled tasks they switch.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/refusal.h"

inline constexpr std::uint32_t kCommandDeadlineMs = 120000;

// Runs any program with the command line; ok when it started and exited with code 0 within
// the deadline. Refused with the program's path and its exit code, or with the Win32 code
// when it could not be started or was still running at the deadline (ERROR_TIMEOUT).
[[nodiscard]] Result RunProgram(const std::u16string& applicationPath,
                                const std::u16string& commandLine,
                                std::uint32_t deadlineMs = kCommandDeadlineMs);

// Runs one of powercfg, schtasks, netsh, ipconfig or powershell, always from the system
// folder: a program of the same name in the application's folder or the current directory
// is never picked up. Any other program is refused ("not a known system tool").
[[nodiscard]] Result RunCommand(const std::u16string& commandLine);

extern const std::array<const char16_t*, 9> TelemetryTaskList;

// Disables or enables all nine tasks; ok when every command succeeded, otherwise the
// refusal of the first that failed. All nine run even when one fails.
[[nodiscard]] Result SetTelemetryTasks(bool disable);
