// The command runner with real child processes under Windows (here, Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include "actions/command_runner.h"
#include "support/refusal_print.h"

namespace {

std::u16string ChildPath() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"qf_child.exe";
    return std::u16string(path.begin(), path.end());
}

Result RunChild(const std::u16string& arguments, std::uint32_t deadlineMs = kCommandDeadlineMs) {
    return RunProgram(ChildPath(), u"qf_child " + arguments, deadlineMs);
}

TEST(RunnerWin32, TheExitCodeDecides) {
    EXPECT_TRUE(RunChild(u"exit 0").Ok());
    EXPECT_EQ(RunChild(u"exit 1").Reason(), Refusal::ToolExit(ChildPath(), 1));
    // The code GetExitCodeProcess gives a process still running reads as the deadline's.
    EXPECT_EQ(RunChild(u"exit 259").Reason(), Refusal::ToolError(ChildPath(), 1460));
}

TEST(RunnerWin32, FarMoreOutputThanAPipeHoldsIsDrained) {
    EXPECT_TRUE(RunChild(u"spew 4000000 0").Ok());
    EXPECT_EQ(RunChild(u"spew 300000 7").Reason(), Refusal::ToolExit(ChildPath(), 7));
}

TEST(RunnerWin32, AProgramThatDoesNotExistFailsAtOnce) {
    const Result result = RunProgram(u"C:\\no\\such\\program.exe", u"program");
    ASSERT_FALSE(result.Ok());
    // Not found, as a file or as a path, depending on the system.
    EXPECT_EQ(result.Reason()->Kind(), RefusalKind::ToolError);
    EXPECT_EQ(result.Reason()->Tool(), u"C:\\no\\such\\program.exe");
    EXPECT_TRUE(result.Reason()->Code() == 2 || result.Reason()->Code() == 3)
        << result.Reason()->Code();
}

TEST(RunnerWin32, AGrandchildHoldingThePipeDoesNotHoldTheRunner) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(RunChild(u"grandchild").Ok());
    // The grandchild sleeps 20 s with the pipe's write end: the runner returned before.
    EXPECT_LT(GetTickCount64() - start, 15000u);
}

TEST(RunnerWin32, AChildStillRunningAtTheDeadlineFails) {
    EXPECT_EQ(RunChild(u"sleep 5000", 300).Reason(), Refusal::ToolError(ChildPath(), 1460));
}

TEST(RunnerWin32, AChildThatNeverStopsWritingStillMeetsTheDeadline) {
    // About 4 GB of output; once the runner has given up, the child's writes fail and it ends.
    EXPECT_EQ(RunChild(u"spew 4000000000 0", 500).Reason(), Refusal::ToolError(ChildPath(), 1460));
}

TEST(RunnerWin32, TheSystemFolderHasTheTools) {
    // ipconfig exists in every Windows and in Wine; its exit code is not the point.
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    const std::wstring ipconfig = std::wstring(folder) + L"\\ipconfig.exe";
    EXPECT_NE(GetFileAttributesW(ipconfig.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
