// Libraries that are not Known DLLs (Direct3D, DWM, iphlpapi, powrprof, ...), taken from the
// system directory only. The program is run as administrator from wherever it was
// downloaded; a DLL of the same name beside it must never be the one loaded. Header-only, so
// that the forwarders the graphics libraries link against need no platform library.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handle.h"

namespace platform::win32 {

// A new reference to the named library in the system directory, loaded by its full path,
// with its own imports searched there too; empty when it is missing.
[[nodiscard]] inline UniqueModule LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return UniqueModule();
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return UniqueModule(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

// The named export of a system library as `Function`; null when the library or the export is
// missing. The library stays loaded for the rest of the process: keep the result in a static.
template <typename Function>
[[nodiscard]] Function SystemFunction(const wchar_t* library, const char* name) {
    UniqueModule module = LoadSystemLibrary(library);
    if (!module)
        return nullptr;
    // Through a generic function pointer: the export's real type differs from FARPROC.
    const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(module.get(), name)));
    if (function != nullptr)
        static_cast<void>(module.release());  // kept loaded for the function's sake
    return function;
}

}  // namespace platform::win32
