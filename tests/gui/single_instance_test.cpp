// One interactive copy per user: a later start hands over to the first copy's window and
// leaves no trace; a screenshot run is not held back by it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "program.h"

namespace {

constexpr DWORD kHandOverMs = 5000;
constexpr DWORD kWindowStateMs = 5000;

const std::regex kOneReadyLine("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]  optimizer ready\r\n");

// Shown or not.
bool HasMainWindow(DWORD processId) {
    return program::FindMainWindow(processId, false) != nullptr;
}

struct Outcome {
    long exitCode = -1;  // -1: still running at the deadline
    bool madeWindow = false;
};

// Runs the program until it ends by itself, watching for a window of its own meanwhile.
Outcome RunWatchingForWindow(const std::wstring& arguments, DWORD deadlineMs) {
    Outcome outcome;
    program::Running run(arguments);
    if (!run.Started())
        return outcome;
    const DWORD processId = GetProcessId(run.Process());
    const ULONGLONG end = GetTickCount64() + deadlineMs;
    while (WaitForSingleObject(run.Process(), 10) == WAIT_TIMEOUT) {
        outcome.madeWindow = outcome.madeWindow || HasMainWindow(processId);
        if (GetTickCount64() >= end)
            return outcome;
    }
    DWORD code = 0;
    if (GetExitCodeProcess(run.Process(), &code))
        outcome.exitCode = static_cast<long>(code);
    return outcome;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD deadlineMs) {
    const ULONGLONG end = GetTickCount64() + deadlineMs;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
    return true;
}

bool IsRunning(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

// A window of the test's own to hold the foreground, so that handing it back is visible.
class ForegroundThief {
  public:
    ForegroundThief() {
        window = CreateWindowExW(0, L"STATIC", L"qf foreground thief", WS_POPUP | WS_VISIBLE, 0, 0,
                                 64, 64, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ForegroundThief() {
        if (window != nullptr)
            DestroyWindow(window);
    }
    ForegroundThief(const ForegroundThief&) = delete;
    ForegroundThief& operator=(const ForegroundThief&) = delete;

    bool Take() {
        return window != nullptr && SetForegroundWindow(window) &&
               WaitUntil([&] { return GetForegroundWindow() == window; }, kWindowStateMs);
    }

  private:
    HWND window = nullptr;
};

class SecondCopyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        logBefore = program::FileBytes(program::SessionLogPath());
        first = std::make_unique<program::Running>(L"");
        ASSERT_TRUE(first->Started());
        window = first->WaitForWindow();
        ASSERT_NE(window, nullptr);
    }

    // The first copy closes normally, and the log gained its one ready line and no other.
    void ExpectOnlyTheFirstCopyLogged() {
        ASSERT_EQ(first->Close(), 0);
        const std::vector<unsigned char> after = program::FileBytes(program::SessionLogPath());
        ASSERT_GE(after.size(), logBefore.size());
        ASSERT_TRUE(std::equal(logBefore.begin(), logBefore.end(), after.begin()));
        const std::string added = program::AsciiText(after, logBefore.size());
        EXPECT_TRUE(std::regex_match(added, kOneReadyLine)) << added;
    }

    void ExpectHandedOver(const std::wstring& arguments) {
        const Outcome second = RunWatchingForWindow(arguments, kHandOverMs);
        EXPECT_EQ(second.exitCode, 0);
        EXPECT_FALSE(second.madeWindow);
        EXPECT_TRUE(IsRunning(first->Process()));
        EXPECT_TRUE(IsWindowVisible(window));
    }

    std::vector<unsigned char> logBefore;
    std::unique_ptr<program::Running> first;
    HWND window = nullptr;
};

TEST_F(SecondCopyTest, ExitsAndBringsTheFirstWindowToTheFront) {
    ForegroundThief thief;
    ASSERT_TRUE(thief.Take());
    ExpectHandedOver(L"");
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kWindowStateMs));
    ExpectOnlyTheFirstCopyLogged();
}

TEST_F(SecondCopyTest, RestoresAMinimizedFirstWindow) {
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, kWindowStateMs));
    ExpectHandedOver(L"");
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) == FALSE; }, kWindowStateMs));
    ExpectOnlyTheFirstCopyLogged();
}

TEST_F(SecondCopyTest, WithAPageSwitchAlsoExitsWithoutAWindow) {
    ExpectHandedOver(L"--page=3");
    ExpectOnlyTheFirstCopyLogged();
}

TEST_F(SecondCopyTest, AScreenshotRunBesideItWritesItsPictureAndNoLogLine) {
    const std::wstring path = program::TempFolder() + L"qf-beside.bmp";
    DeleteFileW(path.c_str());
    ASSERT_EQ(program::RunToExit(L"\"--shot=" + path + L"\""), 0);
    const std::vector<unsigned char> bmp = program::FileBytes(path);
    DeleteFileW(path.c_str());
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    std::uint32_t declaredSize = 0;
    std::memcpy(&declaredSize, bmp.data() + 2, sizeof declaredSize);
    EXPECT_EQ(declaredSize, bmp.size());
    EXPECT_TRUE(IsRunning(first->Process()));
    ExpectOnlyTheFirstCopyLogged();
}

}  // namespace
