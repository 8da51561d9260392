// Child processes through kernel32.
#include "platform/processes.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

// Reads and discards what is waiting in the pipe now, without blocking, and gives up at the
// deadline: a child that never stops writing must not hold the caller either.
void DrainWaiting(HANDLE pipe, ULONGLONG deadline) {
    char buffer[4096];
    DWORD waiting = 0;
    while (GetTickCount64() < deadline &&
           PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(waiting, sizeof buffer), &read, nullptr) ||
            read == 0) {
            return;
        }
    }
}

}  // namespace

Status RunHiddenProcess(const std::u16string& applicationPath, const std::u16string& commandLine,
                        std::uint32_t deadlineMs, std::uint32_t& exitCode) {
    exitCode = 1;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    win32::UniqueHandle readEnd;
    win32::UniqueHandle writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0)) {
        return Status(GetLastError());
    }
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = nullptr;
    std::wstring writable(win32::Wide(commandLine));
    PROCESS_INFORMATION info{};
    const BOOL created =
        CreateProcessW(win32::Wide(applicationPath), writable.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    const DWORD createError = created ? ERROR_SUCCESS : GetLastError();
    writeEnd.reset();
    if (!created)
        return Status(createError);
    win32::UniqueHandle process(info.hProcess);
    win32::UniqueHandle thread(info.hThread);

    // Poll rather than read until the pipe closes: a grandchild may hold the write end for
    // as long as it lives.
    const ULONGLONG deadline = GetTickCount64() + deadlineMs;
    for (;;) {
        DrainWaiting(readEnd.get(), deadline);
        if (WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) {
            DrainWaiting(readEnd.get(), deadline);
            break;
        }
        if (GetTickCount64() >= deadline)
            break;
    }
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    exitCode = code;
    return Status();
}

std::u16string SystemDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

}  // namespace platform
