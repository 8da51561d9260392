// The command runner with real child processes under Windows (here, Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include "actions/command_runner.h"

namespace {

std::u16string ChildPath() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"qf_child.exe";
    return std::u16string(path.begin(), path.end());
}

bool RunChild(const std::u16string& arguments, std::uint32_t deadlineMs = kCommandDeadlineMs) {
    return RunProgram(ChildPath(), u"qf_child " + arguments, deadlineMs);
}

TEST(RunnerWin32, TheExitCodeDecides) {
    EXPECT_TRUE(RunChild(u"exit 0"));
    EXPECT_FALSE(RunChild(u"exit 1"));
    EXPECT_FALSE(RunChild(u"exit 259"));
}

TEST(RunnerWin32, FarMoreOutputThanAPipeHoldsIsDrained) {
    EXPECT_TRUE(RunChild(u"spew 4000000 0"));
    EXPECT_FALSE(RunChild(u"spew 300000 7"));
}

TEST(RunnerWin32, AProgramThatDoesNotExistFailsAtOnce) {
    EXPECT_FALSE(RunProgram(u"C:\\no\\such\\program.exe", u"program"));
}

TEST(RunnerWin32, AGrandchildHoldingThePipeDoesNotHoldTheRunner) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(RunChild(u"grandchild"));
    // The grandchild sleeps 20 s with the pipe's write end: the runner returned before.
    EXPECT_LT(GetTickCount64() - start, 15000u);
}

TEST(RunnerWin32, AChildStillRunningAtTheDeadlineFails) {
    EXPECT_FALSE(RunChild(u"sleep 5000", 300));
}

TEST(RunnerWin32, AChildThatNeverStopsWritingStillMeetsTheDeadline) {
    // About 4 GB of output; once the runner has given up, the child's writes fail and it ends.
    EXPECT_FALSE(RunChild(u"spew 4000000000 0", 500));
}

TEST(RunnerWin32, TheSystemFolderHasTheTools) {
    // ipconfig exists in every Windows and in Wine; its exit code is not the point.
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    const std::wstring ipconfig = std::wstring(folder) + L"\\ipconfig.exe";
    EXPECT_NE(GetFileAttributesW(ipconfig.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
