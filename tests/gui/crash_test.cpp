// What a crash looks like to whoever waits on the process, with a display for Wine's debugger
// to show its crash dialog in: the prefix is set to start no debugger (cmake/wine-run.sh), so
// the crashed program ends at once instead of waiting for someone to close that dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/handle.h"
#include "program.h"

namespace {

std::wstring ChildPath() {
    const std::wstring program = program::Path();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"qf_child.exe";
}

TEST(Crash, ACrashingProgramEndsAtOnceWithItsExceptionCode) {
    std::wstring commandLine = L"\"" + ChildPath() + L"\" crash";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    const platform::win32::UniqueHandle thread(info.hThread);
    const platform::win32::UniqueHandle process(info.hProcess);
    const DWORD waited = WaitForSingleObject(process.get(), 10000);
    const ULONGLONG elapsed = GetTickCount64() - start;
    DWORD code = 0;
    const BOOL gotCode = GetExitCodeProcess(process.get(), &code);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    ASSERT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0))
        << "the crashed program still ran after 10 s";
    ASSERT_TRUE(gotCode);
    EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
