// Figures for the shell, measured on the real program against an empty Dear ImGui window of
// the same size, backends and Dear ImGui source (bench/empty_window.cpp) doing the same work:
// screenshot runs of the two in pairs, each pair started by the other program than the last,
// with the median of each figure and their ratio. Prints them; asserts nothing. Run it with
// scripts/bench.sh, which also measures the processor time while shown and minimized
// (--phases).
//
//     qf_shell_bench [--runs=N] [--trace=FILE]   (FILE: where this program's standard error goes)
//     qf_shell_bench --phases
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/program.h"
#include "platform/win32/handle.h"

namespace {

// What one screenshot run took, seen from outside the process; negative where not seen.
struct RunFigures {
    double firstPresentS = -1;
    double captureWrittenS = -1;
    double wholeS = -1;
    double peakMiB = 0;
};

std::wstring BesideThisProgram(const wchar_t* name) {
    const std::wstring program = program::Path();
    return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

double SecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The tick count of the first present call in a Wine trace ("24817.765:...:trace:dxgi:
// d3d11_swapchain_Present ..."), read from `offset` on; -1 when there is none. Wine stamps
// its trace lines with the low 32 bits of the tick count that GetTickCount64 reads here.
long long FirstPresentTick(const std::wstring& traceFile, std::size_t offset) {
    const std::vector<unsigned char> bytes = program::FileBytes(traceFile);
    if (bytes.size() <= offset)
        return -1;
    const std::string text(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.end());
    const std::size_t call = text.find("d3d11_swapchain_Present");
    if (call == std::string::npos)
        return -1;
    const std::size_t newline = text.rfind('\n', call);
    const std::size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
    unsigned seconds = 0;
    unsigned milliseconds = 0;
    if (std::sscanf(text.c_str() + lineStart, "%u.%u:", &seconds, &milliseconds) != 2)
        return -1;
    return static_cast<long long>(seconds) * 1000 + milliseconds;
}

std::uint64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// One `--shot=` run of `executable`, sampled every 10 ms until it ends: its peak working set,
// and when the picture reached its final size. With a trace file, Wine traces the run's
// present calls into it: scripts/bench.sh hands this program's standard error, which the
// runs inherit, to Wine's debug output and names the file.
RunFigures TimedScreenshotRun(const std::wstring& executable, const std::wstring& traceFile) {
    RunFigures figures;
    const std::wstring shot = program::TempFolder() + L"qf-bench.bmp";
    DeleteFileW(shot.c_str());
    const std::size_t traceOffset = traceFile.empty() ? 0 : FileSize(traceFile);
    // Wine takes its debug channels from the environment when a process starts.
    if (!traceFile.empty())
        SetEnvironmentVariableW(L"WINEDEBUG", L"+timestamp,trace+dxgi");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + executable + L"\" \"--shot=" + shot + L"\"";
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    const ULONGLONG startTick = GetTickCount64();
    const BOOL created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
    if (!created)
        return figures;
    const platform::win32::UniqueHandle thread(info.hThread);
    const platform::win32::UniqueHandle process(info.hProcess);

    std::vector<std::pair<double, std::uint64_t>> shotSizes;
    SIZE_T peak = 0;
    const double deadlineS = 60;
    while (WaitForSingleObject(process.get(), 10) == WAIT_TIMEOUT) {
        const double now = SecondsSince(start);
        if (now > deadlineS) {
            TerminateProcess(process.get(), 1);
            break;
        }
        // The peak of a process that has ended is not kept everywhere.
        PROCESS_MEMORY_COUNTERS counters{};
        if (GetProcessMemoryInfo(process.get(), &counters, sizeof counters))
            peak = std::max(peak, counters.PeakWorkingSetSize);
        shotSizes.emplace_back(now, FileSize(shot));
    }
    figures.wholeS = SecondsSince(start);
    figures.peakMiB = static_cast<double>(peak) / 1048576.0;

    const std::uint64_t finalSize = FileSize(shot);
    for (const auto& [at, size] : shotSizes) {
        if (finalSize > 0 && size == finalSize) {
            figures.captureWrittenS = at;
            break;
        }
    }
    const long long presentTick = traceFile.empty() ? -1 : FirstPresentTick(traceFile, traceOffset);
    if (presentTick >= 0) {
        // The trace prints the low 32 bits of the tick count.
        const long long startLow = static_cast<long long>(startTick & 0xFFFFFFFFu);
        figures.firstPresentS = static_cast<double>(presentTick - startLow) / 1000.0;
    }
    DeleteFileW(shot.c_str());
    return figures;
}

double Median(std::vector<double> values) {
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }),
                 values.end());
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
    std::vector<double> firstPresent, captureWritten, whole, peak;
    void Add(const RunFigures& run) {
        firstPresent.push_back(run.firstPresentS);
        captureWritten.push_back(run.captureWrittenS);
        whole.push_back(run.wholeS);
        peak.push_back(run.peakMiB);
    }
};

// Run by run, the time from `earlier` to `later`; negative where either was not seen.
std::vector<double> Differences(const std::vector<double>& later,
                                const std::vector<double>& earlier) {
    std::vector<double> result;
    for (std::size_t i = 0; i < later.size(); ++i)
        result.push_back(later[i] >= 0 && earlier[i] >= 0 ? later[i] - earlier[i] : -1);
    return result;
}

// Seconds to three decimals, mebibytes to one.
void PrintRow(const char* figure, const char* unit, const std::vector<double>& program,
              const std::vector<double>& empty) {
    const int decimals = std::string(unit) == "s" ? 3 : 1;
    const double p = Median(program);
    const double e = Median(empty);
    std::printf("%-37s program %.*f %s, empty window %.*f %s, ratio %.2f, difference %+.*f %s\n",
                figure, decimals, p, unit, decimals, e, unit, e > 0 ? p / e : 0.0, decimals, p - e,
                unit);
}

// How far GetTickCount64 moves at a time, the median of 20 steps: the first-present figures
// are differences of two such ticks.
double TickStepMs() {
    std::vector<double> steps;
    ULONGLONG last = GetTickCount64();
    while (steps.size() < 20) {
        const ULONGLONG now = GetTickCount64();
        if (now != last)
            steps.push_back(static_cast<double>(now - last));
        last = now;
    }
    return Median(steps);
}

// Screenshot runs of the program and of the empty window in pairs, after one untimed pair
// that brings both into the file cache. Which program starts a pair alternates, so that
// neither always runs in what the other left behind (the file cache, Wine's server).
void CompareWithEmptyWindow(int runs, const std::wstring& traceFile) {
    const std::wstring programPath = program::Path();
    const std::wstring emptyPath = BesideThisProgram(L"qf_empty_window.exe");
    TimedScreenshotRun(programPath, traceFile);
    TimedScreenshotRun(emptyPath, traceFile);
    Series program;
    Series empty;
    std::printf(
        "run  first    program: first present, capture written, whole run, peak working set"
        " | empty window: the same\n");
    for (int i = 0; i < runs; ++i) {
        const bool programFirst = i % 2 == 0;
        RunFigures p;
        RunFigures e;
        if (programFirst) {
            p = TimedScreenshotRun(programPath, traceFile);
            e = TimedScreenshotRun(emptyPath, traceFile);
        } else {
            e = TimedScreenshotRun(emptyPath, traceFile);
            p = TimedScreenshotRun(programPath, traceFile);
        }
        program.Add(p);
        empty.Add(e);
        std::printf("%3d  %-7s  %.3f s %.3f s %.3f s %.1f MiB | %.3f s %.3f s %.3f s %.1f MiB\n",
                    i + 1, programFirst ? "program" : "empty", p.firstPresentS, p.captureWrittenS,
                    p.wholeS, p.peakMiB, e.firstPresentS, e.captureWrittenS, e.wholeS, e.peakMiB);
        std::fflush(stdout);
    }
    std::printf("medians of %d screenshot runs each (GetTickCount64 moves in steps of %.0f ms):\n",
                runs, TickStepMs());
    PrintRow("process creation to first Present", "s", program.firstPresent, empty.firstPresent);
    PrintRow("first Present to capture written", "s",
             Differences(program.captureWritten, program.firstPresent),
             Differences(empty.captureWritten, empty.firstPresent));
    PrintRow("process creation to capture written", "s", program.captureWritten,
             empty.captureWritten);
    PrintRow("capture written to process end", "s",
             Differences(program.whole, program.captureWritten),
             Differences(empty.whole, empty.captureWritten));
    PrintRow("whole screenshot run", "s", program.whole, empty.whole);
    PrintRow("peak working set", "MiB", program.peak, empty.peak);
}

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 10;
    std::wstring traceFile;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--phases") {
            ShownThenMinimized();
            return 0;
        }
        if (argument.rfind(L"--runs=", 0) == 0)
            runs = std::max(1, static_cast<int>(std::wcstol(argument.c_str() + 7, nullptr, 10)));
        if (argument.rfind(L"--trace=", 0) == 0)
            traceFile = argument.substr(8);
    }
    CompareWithEmptyWindow(runs, traceFile);
    return 0;
}
