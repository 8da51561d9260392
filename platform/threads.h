// Threads and the timer resolution, shaped like CreateThread, WaitForSingleObject, Sleep,
// and NtSetTimerResolution resolved from the loaded ntdll with GetModuleHandleW and
// GetProcAddress.
#pragma once

#include <cstdint>

#include "platform/status.h"

namespace platform {

using ThreadEntry = unsigned (*)();

// A started thread; closing the handle does not stop the thread.
class Thread {
public:
    Thread() = default;
    explicit Thread(std::intptr_t handle) : handle_(handle) {}
    Thread(Thread&& other) noexcept : handle_(other.release()) {}
    Thread& operator=(Thread&& other) noexcept;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread() { Close(); }

    bool valid() const { return handle_ != 0; }
    std::intptr_t native() const { return handle_; }
    void Close();

private:
    std::intptr_t release();
    std::intptr_t handle_ = 0;
};

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
