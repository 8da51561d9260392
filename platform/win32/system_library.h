// Libraries that are not Known DLLs (Direct3D, DWM, iphlpapi, powrprof, ...), taken from the
// system directory only. The program is run as administrator from wherever it was
// downloaded; a DLL of the same name beside it must never be the one loaded. Header-only, so
// that the forwarders the graphics libraries link against need no platform library.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

// A new reference to the named library in the system directory, loaded by its full path,
// with its own imports searched there too; null when it is missing.
[[nodiscard]] inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The named export of a system library as `Function`; null when the library or the export is
// missing. The library stays loaded for the rest of the process: keep the result in a static.
template <typename Function>
[[nodiscard]] Function SystemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadSystemLibrary(library);
    if (module == nullptr)
        return nullptr;
    // Through a generic function pointer: the export's real type differs from FARPROC.
    const auto function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    if (function == nullptr)
        FreeLibrary(module);
    return function;
}

}  // namespace platform::win32
