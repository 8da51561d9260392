// Threads through kernel32, the timer resolution through ntdll.
#include "platform/threads.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/handle.h"

namespace platform {
namespace {

using NtSetTimerResolutionFunction = LONG(NTAPI*)(ULONG, BOOLEAN, PULONG);
std::atomic<NtSetTimerResolutionFunction> SetTimerResolutionEntry{nullptr};

DWORD WINAPI RunEntry(LPVOID entry) {
    return reinterpret_cast<ThreadEntry>(entry)();
}

}  // namespace

Status ThreadStart(ThreadEntry entry, Thread& thread) {
    thread.reset();
    HANDLE created =
        CreateThread(nullptr, 0, RunEntry, reinterpret_cast<LPVOID>(entry), 0, nullptr);
    if (created == nullptr)
        return Status(GetLastError());
    thread = Thread(reinterpret_cast<std::intptr_t>(created));
    return Status();
}

bool ThreadWait(const Thread& thread, std::uint32_t milliseconds) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(thread.get()), milliseconds) ==
           WAIT_OBJECT_0;
}

void SleepMs(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

void ThreadCloseHandle(std::intptr_t handle) {
    win32::UniqueHandle(reinterpret_cast<HANDLE>(handle)).reset();
}

bool ResolveSetTimerResolution() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return false;
    // Through a generic function pointer: the entry point's real type differs from FARPROC.
    const auto found = reinterpret_cast<NtSetTimerResolutionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtSetTimerResolution")));
    SetTimerResolutionEntry.store(found);
    return found != nullptr;
}

void SetTimerResolution(std::uint32_t desired, bool set) {
    const NtSetTimerResolutionFunction function = SetTimerResolutionEntry.load();
    ULONG current = 0;
    if (function != nullptr)
        function(desired, set ? TRUE : FALSE, &current);
}

}  // namespace platform
