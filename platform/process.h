// The running process, shaped like GetCommandLineW split by CommandLineToArgvW.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The program path first, then each argument; empty when the line cannot be split.
std::vector<std::u16string> CommandLineArguments();

}  // namespace platform
