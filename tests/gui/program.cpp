#include "program.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace program {
namespace {

struct Search {
    DWORD processId;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && std::wstring(className) == L"QuillfarrowOptimizer" &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

platform::win32::UniqueHandle Start(const std::wstring& arguments, DWORD& processId) {
    std::wstring commandLine = L"\"" + Path() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return platform::win32::UniqueHandle();
    }
    const platform::win32::UniqueHandle thread(info.hThread);
    processId = info.dwProcessId;
    return platform::win32::UniqueHandle(info.hProcess);
}

long WaitExit(HANDLE process, DWORD deadlineMs) {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, deadlineMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &code);
    }
    return static_cast<long>(code);
}

}  // namespace

HWND FindMainWindow(DWORD processId, bool visibleOnly) {
    Search search{processId, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Path() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"QuillfarrowOptimizer.exe";
}

long RunToExit(const std::wstring& arguments, DWORD deadlineMs) {
    DWORD processId = 0;
    const platform::win32::UniqueHandle process = Start(arguments, processId);
    if (!process)
        return -1;
    const long code = WaitExit(process.get(), deadlineMs);
    if (code == -1)
        TerminateProcess(process.get(), 1);
    return code;
}

Running::Running(const std::wstring& arguments) {
    process_ = Start(arguments, processId_);
}

Running::~Running() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.get(), 1);
}

HWND Running::WaitForWindow(DWORD deadlineMs) {
    const ULONGLONG end = GetTickCount64() + deadlineMs;
    while (window_ == nullptr && GetTickCount64() < end) {
        window_ = FindMainWindow(processId_, true);
        if (window_ == nullptr)
            Sleep(20);
    }
    return window_;
}

long Running::Close(DWORD deadlineMs) {
    if (WaitForWindow() == nullptr)
        return -1;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitExit(process_.get(), deadlineMs);
}

std::vector<unsigned char> FileBytes(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    const platform::win32::UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return bytes;
    unsigned char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    return bytes;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length);
}

std::wstring SessionLogPath() {
    platform::win32::UniqueCoTaskMem<wchar_t> folder;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, folder.put())))
        return {};
    return std::wstring(folder.get()) + L"\\Quillfarrow\\Optimizer\\session.log";
}

std::string AsciiText(const std::vector<unsigned char>& utf16le, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i + 1 < utf16le.size(); i += 2) {
        const unsigned unit = utf16le[i] | (utf16le[i + 1] << 8);
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

}  // namespace program
