// Known folders and directory creation through shell32 and ole32.
#include "platform/folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {

Status LocalAppDataFolder(std::u16string& path) {
    // The shell asks for the buffer to be freed whether or not the call succeeded.
    win32::UniqueCoTaskMem<wchar_t> folder;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, folder.put());
    if (SUCCEEDED(result)) {
        path = win32::FromWide(folder.get());
    }
    return SUCCEEDED(result) ? Status() : Status(static_cast<std::uint32_t>(result));
}

Status CreateDirectoryTree(const std::u16string& path) {
    const int result = SHCreateDirectoryExW(nullptr, win32::Wide(path), nullptr);
    return Status(static_cast<std::uint32_t>(result));
}

}  // namespace platform
