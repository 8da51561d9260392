// Handing a file or program to the shell, shaped like ShellExecuteW with no owner window and
// no working directory.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace platform {

// SW_SHOWNORMAL: the program's window activated at its normal size and place.
inline constexpr std::int32_t kSwShowNormal = 1;

// `verb` ("open") on `file`, which gets `parameters` as its command line exactly as given.
// ShellExecuteW's results of 32 or less are failures; they are reported as the matching
// Win32 error codes.
[[nodiscard]] Status ShellOpen(const std::u16string& verb, const std::u16string& file,
                               const std::u16string& parameters, std::int32_t showCommand);

}  // namespace platform
