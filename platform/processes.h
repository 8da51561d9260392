// Child processes, shaped like CreatePipe, SetHandleInformation, CreateProcessW,
// PeekNamedPipe with ReadFile, WaitForSingleObject and GetExitCodeProcess, and the system
// folder of GetSystemDirectoryW.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace platform {

// Starts the program at `applicationPath` with `commandLine` passed unchanged, hidden and
// without a console window, its standard output and error on a pipe whose bytes are read
// and discarded. Returns once the child has exited and what it wrote is drained, or at the
// deadline (the child is then left running and reports STILL_ACTIVE, 259). A grandchild
// holding the pipe does not hold the caller. The status is that of the process creation.
[[nodiscard]] Status RunHiddenProcess(const std::u16string& applicationPath,
                                      const std::u16string& commandLine, std::uint32_t deadlineMs,
                                      std::uint32_t& exitCode);

// The Windows system folder, such as C:\Windows\system32.
std::u16string SystemDirectory();

}  // namespace platform
