// Runs QuillfarrowOptimizer.exe for real and checks what it leaves in the Wine user's
// session.log.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "program.h"

namespace {

long RunInteractively(const std::wstring& arguments) {
    program::Running run(arguments);
    return run.Started() ? run.Close() : -1;
}

TEST(EntryPoint, EachInteractiveRunAppendsOneReadyLine) {
    const std::vector<unsigned char> before = program::FileBytes(program::SessionLogPath());
    ASSERT_EQ(RunInteractively(L""), 0);
    ASSERT_EQ(RunInteractively(L"--page=2"), 0);
    const std::vector<unsigned char> after = program::FileBytes(program::SessionLogPath());
    ASSERT_GT(after.size(), before.size());
    ASSERT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    EXPECT_FALSE(after[0] == 0xFF && after[1] == 0xFE) << "the file starts with a byte-order mark";
    // Every character of the new part is ASCII, so its high bytes are zero.
    for (std::size_t i = before.size() + 1; i < after.size(); i += 2) {
        ASSERT_EQ(after[i], 0) << "unexpected high byte at " << i;
    }
    const std::regex twoLines(
        "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]  optimizer ready\r\n"
        "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]  optimizer ready\r\n");
    EXPECT_TRUE(std::regex_match(program::AsciiText(after, before.size()), twoLines))
        << program::AsciiText(after, before.size());
}

TEST(EntryPoint, AScreenshotRunAddsNoLine) {
    const std::vector<unsigned char> before = program::FileBytes(program::SessionLogPath());
    ASSERT_EQ(program::RunToExit(L"\"--shot=" + program::TempFolder() + L"qf-ready.bmp\""), 0);
    EXPECT_EQ(program::FileBytes(program::SessionLogPath()), before);
}

}  // namespace
