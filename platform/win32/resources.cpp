// Resources of the running executable through kernel32.
#include "platform/resources.h"

#include <windows.h>

namespace platform {

std::span<const std::uint8_t> RcDataResource(int id) {
    HRSRC resource =
        FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, resource);
    if (loaded == nullptr)
        return {};
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(nullptr, resource);
    if (bytes == nullptr)
        return {};
    return {static_cast<const std::uint8_t*>(bytes), size};
}

}  // namespace platform
