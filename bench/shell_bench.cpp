// Figures for the shell, measured on the real program: start-up time, peak memory of a
// screenshot run, the executable's size. Prints them; asserts nothing. Run it with
// scripts/bench.sh, which also measures the processor time while minimized.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "gui/program.h"

namespace {

double Seconds(ULONGLONG fromMs, ULONGLONG toMs) {
    return static_cast<double>(toMs - fromMs) / 1000.0;
}

void StartUp() {
    const ULONGLONG start = GetTickCount64();
    program::Running run(L"");
    if (run.WaitForWindow() == nullptr) {
        std::printf("start-up: the window did not appear\n");
        return;
    }
    const ULONGLONG visible = GetTickCount64();
    run.Close();
    std::printf("start-up to visible window: %.3f s\n", Seconds(start, visible));

    const std::wstring shot = program::TempFolder() + L"qf-bench.bmp";
    const ULONGLONG shotStart = GetTickCount64();
    const long code = program::RunToExit(L"\"--shot=" + shot + L"\"");
    std::printf("screenshot run (start-up, 24 frames, capture, shutdown): %.3f s, exit %ld\n",
                Seconds(shotStart, GetTickCount64()), code);
    DeleteFileW(shot.c_str());
}

void PeakMemory() {
    const std::wstring shot = program::TempFolder() + L"qf-bench.bmp";
    program::Running run(L"\"--shot=" + shot + L"\"");
    SIZE_T peak = 0;
    // Sampled until the run ends: the counters of an ended process are not kept everywhere.
    while (WaitForSingleObject(run.process(), 5) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS counters{};
        if (GetProcessMemoryInfo(run.process(), &counters, sizeof counters)) {
            peak = counters.PeakWorkingSetSize > peak ? counters.PeakWorkingSetSize : peak;
        }
    }
    DeleteFileW(shot.c_str());
    std::printf("peak working set of a screenshot run: %.1f MiB\n",
                static_cast<double>(peak) / 1048576.0);
}

void ExecutableSize() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(program::Path().c_str(), GetFileExInfoStandard, &data)) {
        std::printf("QuillfarrowOptimizer.exe: %lu bytes\n", data.nFileSizeLow);
    }
}

}  // namespace

// Keeps the program shown, then minimized, announcing each phase on standard output so that
// scripts/bench.sh can read the process's processor time from outside: Wine reports no
// times for other processes.
void ShownThenMinimized() {
    program::Running run(L"");
    HWND window = run.WaitForWindow();
    if (window == nullptr)
        return;
    std::printf("phase shown\n");
    std::fflush(stdout);
    Sleep(7000);
    ShowWindow(window, SW_MINIMIZE);
    std::printf("phase minimized\n");
    std::fflush(stdout);
    Sleep(7000);
    run.Close();
}

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--phases") {
        ShownThenMinimized();
        return 0;
    }
    StartUp();
    PeakMemory();
    ExecutableSize();
    return 0;
}
