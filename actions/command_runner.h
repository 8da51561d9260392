// The system's own command-line tools, run hidden, with the exit code as the result; and the
// nine telemetry scheduled tasks they switch.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr std::uint32_t kCommandDeadlineMs = 120000;

// Runs any program with the command line; true when it started and exited with code 0
// within the deadline.
[[nodiscard]] bool RunProgram(const std::u16string& applicationPath,
                              const std::u16string& commandLine,
                              std::uint32_t deadlineMs = kCommandDeadlineMs);

// Runs one of powercfg, schtasks, netsh, ipconfig or powershell, always from the system
// folder: a program of the same name in the application's folder or the current directory
// is never picked up. False for any other program.
[[nodiscard]] bool RunCommand(const std::u16string& commandLine);

extern const std::array<const char16_t*, 9> TelemetryTaskList;

// Disables or enables all nine tasks; true when every command succeeded. All nine run even
// when one fails.
[[nodiscard]] bool SetTelemetryTasks(bool disable);
