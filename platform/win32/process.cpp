// The process command line through kernel32 and shell32.
#include "platform/process.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {

std::vector<std::u16string> CommandLineArguments() {
    int count = 0;
    const win32::UniqueLocal<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::u16string> result;
    if (!arguments) {
        return result;
    }
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        result.push_back(win32::FromWide(arguments.get()[i]));
    }
    return result;
}

}  // namespace platform
