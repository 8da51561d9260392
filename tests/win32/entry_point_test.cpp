// Runs QuillfarrowOptimizer.exe for real and checks what it leaves in the Wine user's
// session.log.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <regex>
#include <string>
#include <vector>

namespace {

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"QuillfarrowOptimizer.exe";
}

// Found independently of the program's own code.
std::wstring SessionLog() {
    PWSTR folder = nullptr;
    EXPECT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder)));
    std::wstring path = std::wstring(folder) + L"\\Quillfarrow\\Optimizer\\session.log";
    CoTaskMemFree(folder);
    return path;
}

std::vector<unsigned char> Content(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    unsigned char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    CloseHandle(file);
    return bytes;
}

// Starts the program with the arguments and returns its exit code (-1 if it did not end).
long RunProgram(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

std::string Narrow(const std::vector<unsigned char>& utf16le, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i + 1 < utf16le.size(); i += 2) {
        const unsigned unit = utf16le[i] | (utf16le[i + 1] << 8);
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

TEST(EntryPoint, EachInteractiveRunAppendsOneReadyLine) {
    const std::vector<unsigned char> before = Content(SessionLog());
    ASSERT_EQ(RunProgram(L""), 0);
    ASSERT_EQ(RunProgram(L"--page=2"), 0);
    const std::vector<unsigned char> after = Content(SessionLog());
    ASSERT_GT(after.size(), before.size());
    ASSERT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    ASSERT_GE(after.size(), 2u);
    EXPECT_FALSE(after[0] == 0xFF && after[1] == 0xFE) << "the file starts with a byte-order mark";
    // Every byte of the new part is ASCII in UTF-16LE, so it narrows without loss.
    for (std::size_t i = before.size() + 1; i < after.size(); i += 2) {
        ASSERT_EQ(after[i], 0) << "unexpected high byte at " << i;
    }
    const std::regex twoLines("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]  optimizer ready\r\n"
                              "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]  optimizer ready\r\n");
    EXPECT_TRUE(std::regex_match(Narrow(after, before.size()), twoLines))
        << Narrow(after, before.size());
}

TEST(EntryPoint, AScreenshotRunAddsNoLine) {
    const std::vector<unsigned char> before = Content(SessionLog());
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    ASSERT_EQ(RunProgram(L"\"--shot=" + std::wstring(temp) + L"qf-shot.bmp\""), 0);
    EXPECT_EQ(Content(SessionLog()), before);
}

}  // namespace
