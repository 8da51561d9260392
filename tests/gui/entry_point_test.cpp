// Runs QuillfarrowOptimizer.exe for real and checks what it leaves in the Wine user's
// session.log.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <regex>
#include <string>
#include <vector>

#include "program.h"

namespace {

// Found independently of the program's own code.
std::wstring SessionLog() {
    PWSTR folder = nullptr;
    EXPECT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder)));
    std::wstring path = std::wstring(folder) + L"\\Quillfarrow\\Optimizer\\session.log";
    CoTaskMemFree(folder);
    return path;
}

std::string Narrow(const std::vector<unsigned char>& utf16le, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i + 1 < utf16le.size(); i += 2) {
        const unsigned unit = utf16le[i] | (utf16le[i + 1] << 8);
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

long RunInteractively(const std::wstring& arguments) {
    program::Running run(arguments);
    return run.started() ? run.Close() : -1;
}

TEST(EntryPoint, EachInteractiveRunAppendsOneReadyLine) {
    const std::vector<unsigned char> before = program::FileBytes(SessionLog());
    ASSERT_EQ(RunInteractively(L""), 0);
    ASSERT_EQ(RunInteractively(L"--page=2"), 0);
    const std::vector<unsigned char> after = program::FileBytes(SessionLog());
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
    EXPECT_TRUE(std::regex_match(Narrow(after, before.size()), twoLines))
        << Narrow(after, before.size());
}

TEST(EntryPoint, AScreenshotRunAddsNoLine) {
    const std::vector<unsigned char> before = program::FileBytes(SessionLog());
    ASSERT_EQ(program::RunToExit(L"\"--shot=" + program::TempFolder() + L"qf-ready.bmp\""), 0);
    EXPECT_EQ(program::FileBytes(SessionLog()), before);
}

}  // namespace
