#include <windows.h>

#include <string>

#include "support/test_platform.h"

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Process ids come round again, so a name is taken only when the folder is new.
std::u16string ScratchFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring base = std::wstring(temp, length) + L"qf-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-";
    std::wstring folder;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        folder = base + std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            break;
    }
    return std::u16string(folder.begin(), folder.end());
}
