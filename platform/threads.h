// Threads and the timer resolution, shaped like CreateThread, WaitForSingleObject, Sleep,
// and NtSetTimerResolution resolved from the loaded ntdll with GetModuleHandleW and
// GetProcAddress.
#pragma once

#include <cstdint>

#include "platform/status.h"
#include "platform/unique_handle.h"

namespace platform {

using ThreadEntry = unsigned (*)();

// Closes a handle; only the owning type calls it.
void ThreadCloseHandle(std::intptr_t handle);

struct ThreadTraits {
    static constexpr std::intptr_t kNone = 0;
    static void Close(std::intptr_t handle) { ThreadCloseHandle(handle); }
};
// A started thread; closing the handle does not stop the thread.
using Thread = UniqueHandle<ThreadTraits>;

// Default security and stack size, no parameter, no creation flags.
[[nodiscard]] Status ThreadStart(ThreadEntry entry, Thread& thread);
// Waits at most `milliseconds`; true when the thread has ended.
bool ThreadWait(const Thread& thread, std::uint32_t milliseconds);
void SleepMs(std::uint32_t milliseconds);
void ThreadCloseHandle(std::intptr_t handle);

// Looks NtSetTimerResolution up; false when the system has no such entry point.
[[nodiscard]] bool ResolveSetTimerResolution();
// Calls the entry point found by ResolveSetTimerResolution (in 100 ns units).
void SetTimerResolution(std::uint32_t desired, bool set);

}  // namespace platform
