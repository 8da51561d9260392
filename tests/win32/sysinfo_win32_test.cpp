// The machine snapshot and the load sample on the real system, each figure checked against
// the test's own call of Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/win32/handle.h"
#include "sysinfo/load_sample.h"
#include "sysinfo/machine_info.h"
#include "sysinfo/snapshot.h"

namespace {

std::u16string Utf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

DWORD OwnBuild() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return getVersion != nullptr && getVersion(&version) == 0 ? version.dwBuildNumber : 0;
}

DWORD OwnCoreCount() {
    DWORD length = 0;
    GetLogicalProcessorInformation(nullptr, &length);
    std::vector<SYSTEM_LOGICAL_PROCESSOR_INFORMATION> table(
        length / sizeof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION));
    if (table.empty() || !GetLogicalProcessorInformation(table.data(), &length))
        return 0;
    DWORD cores = 0;
    for (const auto& entry : table)
        cores += entry.Relationship == RelationProcessorCore ? 1 : 0;
    return cores;
}

bool OwnElevation() {
    platform::win32::UniqueHandle token;
    TOKEN_ELEVATION elevation{};
    DWORD returned = 0;
    return OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) &&
           GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                               &returned) &&
           elevation.TokenIsElevated != 0;
}

class MachineInfoWin32 : public ::testing::Test {
  protected:
    void SetUp() override { ForgetMachineInfo(); }
    void TearDown() override { ForgetMachineInfo(); }
};

TEST_F(MachineInfoWin32, EachFactMatchesWhatWindowsReports) {
    TakeMachineSnapshot();
    const MachineInfo& info = GetMachineInfo();

    const DWORD build = OwnBuild();
    ASSERT_NE(build, 0u);
    EXPECT_EQ(info.Build, build);
    EXPECT_EQ(info.OsName, Utf16((build >= 22000 ? L"Windows 11" : L"Windows 10") +
                                 std::wstring(L"  build ") + std::to_wstring(build)));

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(info.Threads, system.dwNumberOfProcessors);
    const DWORD cores = OwnCoreCount();
    ASSERT_NE(cores, 0u);
    EXPECT_EQ(info.Cores, cores);

    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD nameSize = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &nameSize));
    EXPECT_EQ(info.HostName, Utf16(std::wstring(name, nameSize)));

    EXPECT_EQ(info.IsElevated, OwnElevation());

    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    EXPECT_EQ(info.MemTotal, memory.ullTotalPhys);
    EXPECT_GT(info.MemUsed, 0u);
    EXPECT_LE(info.MemUsed, info.MemTotal);

    ULARGE_INTEGER available{}, total{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &available, &total, nullptr));
    EXPECT_EQ(info.DiskTotal, total.QuadPart);
    EXPECT_LE(info.DiskFree, info.DiskTotal);

    EXPECT_FALSE(info.CpuName.empty());
    EXPECT_FALSE(info.GpuName.empty());
    EXPECT_FALSE(info.BoardName.empty());
    EXPECT_GT(info.UptimeSeconds, 0u);
}

std::atomic<bool> Spinning{false};
std::atomic<bool> StopSpinning{false};

DWORD WINAPI Spin(LPVOID) {
    Spinning = true;
    while (!StopSpinning.load(std::memory_order_relaxed)) {
    }
    return 0;
}

TEST_F(MachineInfoWin32, OneBusyCoreShowsInTheProcessorFigure) {
    TakeMachineSnapshot();
    const std::uint32_t threads = GetMachineInfo().Threads;
    StopSpinning = false;
    Spinning = false;
    platform::win32::UniqueHandle spinner(CreateThread(nullptr, 0, Spin, nullptr, 0, nullptr));
    ASSERT_NE(spinner.get(), nullptr);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (!Spinning && GetTickCount64() < deadline)
        Sleep(1);
    ASSERT_TRUE(Spinning) << "the Spinning thread did not start within 5 s";
    SampleMachineLoad();
    Sleep(600);  // the interval that is measured
    SampleMachineLoad();
    const float percent = GetMachineInfo().CpuPercent;
    StopSpinning = true;
    WaitForSingleObject(spinner.get(), 5000);
    // The figure is the whole system's: one thread kept busy is one logical processor's share
    // of it (more when anything else runs), whatever the number of processors. Half of that
    // share allows for the sampling's granularity and stays above 0 on any machine.
    ASSERT_GE(threads, 1u);
    const float oneThreadsShare = 100.0f / static_cast<float>(threads);
    EXPECT_GE(percent, 0.5f * oneThreadsShare) << threads << " threads";
    EXPECT_LE(percent, 100.0f);
}

}  // namespace
