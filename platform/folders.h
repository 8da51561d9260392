// Known folders and directory creation, shaped like SHGetKnownFolderPath (with
// CoTaskMemFree of its result) and SHCreateDirectoryExW.
#pragma once

#include <string>

#include "platform/status.h"

namespace platform {

// FOLDERID_LocalAppData, flags 0, no access token.
[[nodiscard]] Status LocalAppDataFolder(std::u16string& path);
// Creates the folder and every missing parent; an existing folder is an error code the
// caller may ignore (ERROR_ALREADY_EXISTS).
[[nodiscard]] Status CreateDirectoryTree(const std::u16string& path);

}  // namespace platform
