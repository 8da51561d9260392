// A stand-in for a DLL planted beside a program. Copied there under the names of system
// libraries, it appends the path it was loaded from, one line each time a process loads it,
// to the file that QF_PLANTED_MARKER names. It exports DwmIsCompositionEnabled too, so that a
// program importing that from dwmapi.dll starts with this copy in its place.
#include <windows.h>

#include "platform/win32/handle.h"

namespace {

void RecordLoad(HMODULE self) {
    wchar_t marker[MAX_PATH] = {};
    const DWORD markerLength = GetEnvironmentVariableW(L"QF_PLANTED_MARKER", marker, MAX_PATH);
    if (markerLength == 0 || markerLength >= MAX_PATH)
        return;
    wchar_t path[MAX_PATH] = {};
    const DWORD pathLength = GetModuleFileNameW(self, path, MAX_PATH);
    char line[4 * MAX_PATH + 2] = {};
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(pathLength), line,
                                    4 * MAX_PATH, nullptr, nullptr);
    line[bytes++] = '\n';
    const platform::win32::UniqueHandle file(
        CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    DWORD written = 0;
    // Nothing to do about a failed write from inside DllMain: the test then sees no marker
    // and reports the missing line of the load it expected.
    static_cast<void>(WriteFile(file.get(), line, static_cast<DWORD>(bytes), &written, nullptr));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH)
        RecordLoad(instance);
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    *enabled = FALSE;
    return S_OK;
}
