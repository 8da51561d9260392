// The timer-resolution holder with a real thread and the real NtSetTimerResolution. Wine's
// NtQueryTimerResolution reports 1 ms whatever is asked, so the resolution itself proves
// nothing here; what the holder asks of NtSetTimerResolution is proved on the simulation
// (tests/actions/timer_holder_test.cpp). These show the thread: one real thread of the
// program's own code that keeps running from the start to the stop, which it does only once
// it has found the entry point in the system's ntdll, and that has ended when the stop
// returns; and the request as NtSetTimerResolution itself answers for it: a withdrawal
// succeeds only while the process holds a request (Wine keeps that state as Windows does).
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>
#include <set>
#include <vector>

#include "actions/timer_holder.h"
#include "platform/win32/handle.h"

namespace {

std::set<DWORD> OwnThreadIds() {
    std::set<DWORD> ids;
    platform::win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "no thread snapshot: " << GetLastError();
        return ids;
    }
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    }
    return ids;
}

// Where the thread started, as the system recorded it (ThreadQuerySetWin32StartAddress).
std::uintptr_t StartAddress(HANDLE thread) {
    using QueryFunction = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    void* start = nullptr;
    if (query == nullptr || query(thread, 9, &start, sizeof start, nullptr) != 0)
        return 0;
    return reinterpret_cast<std::uintptr_t>(start);
}

// Whether the address lies in this executable's image, where the program's code is.
bool InThisExecutable(std::uintptr_t address) {
    const auto base = reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return address >= base && address < base + nt->OptionalHeader.SizeOfImage;
}

// The threads that appeared since `before` and started in this executable's code, each
// opened for waiting.
std::vector<platform::win32::UniqueHandle> NewThreadsOfOurs(const std::set<DWORD>& before) {
    std::vector<platform::win32::UniqueHandle> threads;
    for (const DWORD id : OwnThreadIds()) {
        if (before.count(id) != 0)
            continue;
        platform::win32::UniqueHandle thread(
            OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, id));
        if (thread.get() != nullptr && InThisExecutable(StartAddress(thread.get())))
            threads.push_back(std::move(thread));
    }
    return threads;
}

// The one holder thread that a start made, waited for up to 5 s; null when none came.
platform::win32::UniqueHandle HolderThreadSince(const std::set<DWORD>& before) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    for (;;) {
        std::vector<platform::win32::UniqueHandle> threads = NewThreadsOfOurs(before);
        if (!threads.empty()) {
            EXPECT_EQ(threads.size(), 1u) << "threads of the program's code started at once";
            return std::move(threads.front());
        }
        if (GetTickCount64() > deadline)
            return {};
        Sleep(5);
    }
}

bool Ended(const platform::win32::UniqueHandle& thread) {
    return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;
}

TEST(TimerHolderWin32, OneRealThreadRunsFromTheStartToTheStopAndHasEndedWhenTheStopReturns) {
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        const std::set<DWORD> before = OwnThreadIds();
        ASSERT_TRUE(StartTimerHolder().Ok());
        EXPECT_TRUE(TimerHolderRunning.load());
        const platform::win32::UniqueHandle holder = HolderThreadSince(before);
        ASSERT_NE(holder.get(), nullptr) << "no thread of the program's code started";
        // A second start while one runs makes no second thread.
        EXPECT_TRUE(StartTimerHolder().Ok());
        // Through several renewals: without the entry point the thread would have ended at once.
        Sleep(600);
        EXPECT_FALSE(Ended(holder)) << "the holder thread ended before the stop";
        EXPECT_EQ(NewThreadsOfOurs(before).size(), 1u)
            << "threads of the program's code since the start";
        StopTimerHolder();
        EXPECT_FALSE(TimerHolderRunning.load());
        EXPECT_TRUE(Ended(holder)) << "the holder thread still ran when the stop returned";
    }
}

// NtSetTimerResolution's answer to a withdrawal: STATUS_SUCCESS when the process held a
// request, which the withdrawal ends, STATUS_TIMER_RESOLUTION_NOT_SET when it held none.
constexpr LONG kTimerResolutionNotSet = static_cast<LONG>(0xC0000245);

LONG SetTimerResolution(bool set) {
    using SetFunction = LONG(NTAPI*)(ULONG, BOOLEAN, ULONG*);
    const auto function = reinterpret_cast<SetFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetTimerResolution")));
    ULONG current = 0;
    return function != nullptr ? function(5000, set ? TRUE : FALSE, &current) : -1;
}

// Withdraws until one withdrawal finds a request, for at most two seconds.
bool ARequestIsHeldWithinTwoSeconds() {
    const ULONGLONG deadline = GetTickCount64() + 2000;
    while (SetTimerResolution(false) != 0) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(5);
    }
    return true;
}

TEST(TimerHolderWin32, TheProcessHoldsARequestThatIsRenewedUntilTheStopWithdrawsIt) {
    ASSERT_EQ(SetTimerResolution(false), kTimerResolutionNotSet) << "a request before the start";
    ASSERT_TRUE(StartTimerHolder().Ok());
    EXPECT_TRUE(ARequestIsHeldWithinTwoSeconds()) << "no request after the start";
    // That withdrawal ended the only request; the holder makes it again on its own.
    EXPECT_EQ(SetTimerResolution(false), kTimerResolutionNotSet);
    EXPECT_TRUE(ARequestIsHeldWithinTwoSeconds()) << "the request was not renewed";
    // A request of the test's own just before the stop: only the holder's withdrawal at the
    // stop can end it.
    EXPECT_EQ(SetTimerResolution(true), 0);
    StopTimerHolder();
    EXPECT_EQ(SetTimerResolution(false), kTimerResolutionNotSet)
        << "the process still held a request after the stop";
}

}  // namespace
