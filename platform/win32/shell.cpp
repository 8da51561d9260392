// Handing a file or program to the shell through shell32.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace platform {
namespace {

// ShellExecuteW's own failure values, most of which already are Win32 error codes.
std::uint32_t ErrorOfShellResult(std::uintptr_t result) {
    switch (result) {
        case 0:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND:
            return ERROR_DLL_NOT_FOUND;
        default:
            // SE_ERR_FNF, SE_ERR_PNF, SE_ERR_ACCESSDENIED, SE_ERR_OOM, ERROR_BAD_FORMAT.
            return static_cast<std::uint32_t>(result);
    }
}

}  // namespace

Status ShellOpen(const std::u16string& verb, const std::u16string& file,
                 const std::u16string& parameters, std::int32_t showCommand) {
    const HINSTANCE instance = ShellExecuteW(nullptr, win32::Wide(verb), win32::Wide(file),
                                             win32::Wide(parameters), nullptr, showCommand);
    // Not a handle: a number kept in one for compatibility; above 32 means started.
    const auto result = reinterpret_cast<std::uintptr_t>(instance);
    return result > 32 ? Status() : Status(ErrorOfShellResult(result));
}

}  // namespace platform
