// Stands in for the system's tools (netsh, ipconfig, schtasks, powercfg, powershell) in a
// journey's prefix: appends the path it runs from and the command line it was given, as one
// UTF-8 line "<path>\t<command line>\n", to C:\qf-recorded.txt, and exits 0.
#include <windows.h>

#include <string>

#include "platform/win32/handle.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace

int wmain() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string line = Utf8(self) + "\t" + Utf8(GetCommandLineW()) + "\n";
    // Every writer appends whole lines; readers may look while a tool runs.
    const platform::win32::UniqueHandle file(CreateFileW(L"C:\\qf-recorded.txt", FILE_APPEND_DATA,
                                                         FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                         nullptr, OPEN_ALWAYS, 0, nullptr));
    if (!file)
        return 2;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return ok && written == line.size() ? 0 : 3;
}
