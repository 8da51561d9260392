#include "app/single_instance_win32.h"

#include <sddl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup.h"
#include "app/window_win32.h"
#include "platform/win32/wide.h"

namespace {

constexpr ULONGLONG kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

// The SID of the process token's user as text; empty when the token cannot be read.
std::u16string UserSidText() {
    platform::win32::UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return {};
    DWORD size = 0;
    static_cast<void>(GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size));
    if (size == 0)
        return {};
    // Whole pointers, so that the TOKEN_USER inside is suitably aligned.
    std::vector<std::uintptr_t> buffer((size + sizeof(std::uintptr_t) - 1) /
                                       sizeof(std::uintptr_t));
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    platform::win32::UniqueLocal<wchar_t> text;
    if (!ConvertSidToStringSidW(user->User.Sid, text.put()))
        return {};
    return platform::win32::FromWide(text.get());
}

BOOL CALLBACK MatchInteractiveWindow(HWND window, LPARAM found) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring_view(className) != kWindowClassName ||
        GetPropW(window, kInteractiveWindowProperty) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND FindInteractiveWindow() {
    HWND found = nullptr;
    EnumWindows(MatchInteractiveWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

InstanceLock TakeInstanceLock() {
    const std::u16string sid = UserSidText();
    if (sid.empty())
        return {};
    const std::u16string name = InstanceLockName(sid);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, platform::win32::Wide(name));
    const DWORD error = GetLastError();
    InstanceLock lock{platform::win32::UniqueHandle(mutex)};
    // An elevated first copy's lock exists but may not be opened from here.
    lock.heldElsewhere =
        mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    return lock;
}

bool MarkInteractiveWindow(HWND window) {
    return SetPropW(window, kInteractiveWindowProperty, reinterpret_cast<HANDLE>(1)) != FALSE;
}

void UnmarkInteractiveWindow(HWND window) {
    RemovePropW(window, kInteractiveWindowProperty);
}

void ActivateRunningCopy() {
    // The first copy takes the lock before it makes its window, so the window may follow.
    const ULONGLONG deadline = GetTickCount64() + kWindowWaitMs;
    HWND window = FindInteractiveWindow();
    while (window == nullptr && GetTickCount64() < deadline) {
        Sleep(kWindowPollMs);
        window = FindInteractiveWindow();
    }
    if (window == nullptr)
        return;
    // Posted, not sent: the first copy's thread may be busy with a child process for minutes.
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    SetForegroundWindow(window);
}
