// Starting QuillfarrowOptimizer.exe from a test, finding its window and ending it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/handle.h"

namespace program {

// The executable next to the running test.
std::wstring Path();

// Waits for a screenshot run (or any run that ends by itself); the exit code, or -1 when it
// did not start or end within the deadline.
long RunToExit(const std::wstring& arguments, DWORD deadlineMs = 60000);

class Running {
  public:
    explicit Running(const std::wstring& arguments);
    ~Running();
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    HANDLE Process() const { return process_.get(); }
    // The program's main window once it is visible; nullptr at the deadline.
    HWND WaitForWindow(DWORD deadlineMs = 30000);
    // Asks the window to close, as Alt+F4 would, and returns the exit code (-1 on timeout).
    long Close(DWORD deadlineMs = 30000);

  private:
    platform::win32::UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// The process's window of the program's class, or nullptr.
HWND FindMainWindow(DWORD processId, bool visibleOnly);

std::vector<unsigned char> FileBytes(const std::wstring& path);
std::wstring TempFolder();

// The Wine user's session.log, found independently of the program's own code.
std::wstring SessionLogPath();
// UTF-16LE bytes from the given offset as text, with '?' for every non-ASCII unit.
std::string AsciiText(const std::vector<unsigned char>& utf16le, std::size_t from);

}  // namespace program
