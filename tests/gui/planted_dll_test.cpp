// DLL planting: copies of a DLL of our own, named after each library the program loads that
// is not a Known DLL, lie beside a copy of the program in a folder of its own, and Wine is
// told to prefer such copies to its own libraries. A screenshot run loads none of them and
// still draws. The same planting is loaded by a program that imports the ordinary way, so
// the test can tell.
//
// Where Wine differs from Windows: Wine takes its own copy of most libraries over one found
// along the search path unless WINEDLLOVERRIDES says otherwise, and it reads that from the
// environment its first process started with, so the test's CTest entry sets it. And Wine
// keeps no KnownDLLs list (its prefix has no such key): a planted shlwapi.dll or ws2_32.dll
// is loaded there too, which Windows never does. The program relies on Windows for those, so
// they are not planted here; the import table test keeps them to Windows's list.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/handle.h"
#include "program.h"

namespace {

// Every library the program loads, or may load, that is not a Known DLL: Direct3D 11, DXGI,
// the shader compiler, DWM, iphlpapi and powrprof, and what Wine's Direct3D and user32 load
// while the program runs. Not version.dll: Wine's own user32 imports it, so under Wine a
// planted copy is loaded before the program's first line whatever the program does (the
// user32 of Windows is a Known DLL whose imports are Known DLLs too).
const wchar_t* const kPlantedNames[] = {L"d3d11.dll",          L"dxgi.dll",     L"dwmapi.dll",
                                        L"d3dcompiler_47.dll", L"iphlpapi.dll", L"powrprof.dll",
                                        L"uxtheme.dll",        L"opengl32.dll", L"wined3d.dll"};

std::wstring BuildFolder() {
    const std::wstring path = program::Path();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The planted names that WINEDLLOVERRIDES ("a,b=n,b;c=b") does not set to native first.
std::vector<std::wstring> NamesWineWouldNotTake() {
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", value, 4096);
    const std::wstring overrides(value, length < 4096 ? length : 0);
    std::set<std::wstring> native;
    for (std::size_t start = 0; start <= overrides.size();) {
        std::size_t end = overrides.find(L';', start);
        if (end == std::wstring::npos)
            end = overrides.size();
        const std::wstring entry = overrides.substr(start, end - start);
        const std::size_t equals = entry.find(L'=');
        if (equals != std::wstring::npos && entry.compare(equals + 1, 1, L"n") == 0) {
            for (std::size_t from = 0; from < equals;) {
                const std::size_t comma = std::min(entry.find(L',', from), equals);
                native.insert(entry.substr(from, comma - from));
                from = comma + 1;
            }
        }
        start = end + 1;
    }
    std::vector<std::wstring> missing;
    for (const wchar_t* name : kPlantedNames) {
        const std::wstring file = name;
        if (native.count(file.substr(0, file.size() - 4)) == 0)
            missing.push_back(file);
    }
    return missing;
}

class PlantedDllTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Wine takes its own copies otherwise, and nothing planted would load in any case.
        if (UnderWine()) {
            for (const std::wstring& name : NamesWineWouldNotTake())
                ADD_FAILURE() << "WINEDLLOVERRIDES does not prefer a native " << ToNarrow(name)
                              << ": run these through ctest (qf_gui_planted_dll)";
            if (HasFailure())
                return;
        }
        plantFolder = program::TempFolder() + L"qf-planted-" +
                      std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(GetTickCount64()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(plantFolder.c_str(), nullptr));
        const std::wstring built = BuildFolder();
        for (const wchar_t* name : {L"QuillfarrowOptimizer.exe", L"qf_plain_imports.exe"}) {
            ASSERT_TRUE(CopyFileW((built + name).c_str(), (plantFolder + name).c_str(), TRUE))
                << "copy " << ToNarrow(name);
        }
        for (const wchar_t* name : kPlantedNames) {
            ASSERT_TRUE(CopyFileW((built + L"qf_planted_dll.dll").c_str(),
                                  (plantFolder + name).c_str(), TRUE))
                << "plant " << ToNarrow(name);
        }
        markerPath = plantFolder + L"loaded.txt";
    }

    void TearDown() override {
        if (plantFolder.empty())
            return;
        WIN32_FIND_DATAW found{};
        platform::win32::UniqueFind search(FindFirstFileW((plantFolder + L"*").c_str(), &found));
        if (search) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW((plantFolder + found.cFileName).c_str());
            } while (FindNextFileW(search.get(), &found));
            search.reset();
        }
        RemoveDirectoryW(plantFolder.c_str());
    }

    static std::string ToNarrow(const std::wstring& text) {
        return std::string(text.begin(), text.end());  // the names here are ASCII
    }

    // The environment of this process with the marker's path.
    std::vector<wchar_t> Environment() const {
        std::vector<wchar_t> block;
        const platform::win32::UniqueEnvironmentStrings strings(GetEnvironmentStringsW());
        for (const wchar_t* entry = strings.get(); *entry != 0; entry += wcslen(entry) + 1) {
            if (_wcsnicmp(entry, L"QF_PLANTED_MARKER=", 18) != 0)
                block.insert(block.end(), entry, entry + wcslen(entry) + 1);
        }
        const std::wstring marker = L"QF_PLANTED_MARKER=" + markerPath;
        block.insert(block.end(), marker.c_str(), marker.c_str() + marker.size() + 1);
        block.push_back(0);
        return block;
    }

    // Runs a program of the folder, from the folder, to its end; its exit code, or -1.
    long Run(const std::wstring& executable, const std::wstring& arguments) const {
        std::wstring commandLine = L"\"" + plantFolder + executable + L"\" " + arguments;
        std::vector<wchar_t> environment = Environment();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_UNICODE_ENVIRONMENT, environment.data(), plantFolder.c_str(),
                            &startup, &info)) {
            return -1;
        }
        const platform::win32::UniqueHandle thread(info.hThread);
        const platform::win32::UniqueHandle process(info.hProcess);
        DWORD code = static_cast<DWORD>(-1);
        if (WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.get(), &code);
        else
            TerminateProcess(process.get(), 1);
        return static_cast<long>(code);
    }

    // The file names, in lower case, of the planted copies that were loaded since the last
    // call: each load adds its path as a line to the marker.
    std::set<std::string> TakeLoaded() const {
        const std::vector<unsigned char> bytes = program::FileBytes(markerPath);
        DeleteFileW(markerPath.c_str());
        std::set<std::string> names;
        std::string line;
        for (const unsigned char byte : bytes) {
            if (byte != '\n') {
                line.push_back(static_cast<char>(byte));
                continue;
            }
            const std::string folder = Lower(ToNarrow(plantFolder));
            EXPECT_EQ(Lower(line).rfind(folder, 0), 0u) << line << " is not in the folder";
            names.insert(Lower(line.substr(line.find_last_of('\\') + 1)));
            line.clear();
        }
        return names;
    }

    std::wstring plantFolder;
    std::wstring markerPath;
};

// Without the program's protection the planting is loaded: a load-time import and a load by
// bare name both take the copy beside the program. Only the system-directory search of
// SetDefaultDllDirectories passes it by, which is what the program does first.
TEST_F(PlantedDllTest, AProgramThatLoadsTheOrdinaryWayTakesThePlantedCopies) {
    const struct {
        std::wstring arguments;
        std::set<std::string> loaded;
    } rows[] = {
        {L"", {"dwmapi.dll"}},
        {L"load d3d11.dll", {"dwmapi.dll", "d3d11.dll"}},
        {L"load powrprof.dll", {"dwmapi.dll", "powrprof.dll"}},
        {L"system-only d3d11.dll", {"dwmapi.dll"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ToNarrow(row.arguments));
        ASSERT_EQ(Run(L"qf_plain_imports.exe", row.arguments), 0);
        EXPECT_EQ(TakeLoaded(), row.loaded);
    }
}

std::uint32_t U32(const std::vector<unsigned char>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST_F(PlantedDllTest, TheProgramLoadsNoneOfThemAndStillDraws) {
    const std::wstring shot = plantFolder + L"shot.bmp";
    const long exitCode = Run(L"QuillfarrowOptimizer.exe", L"\"--shot=" + shot + L"\"");
    EXPECT_EQ(TakeLoaded(), std::set<std::string>{});
    ASSERT_EQ(exitCode, 0);

    const std::vector<unsigned char> bmp = program::FileBytes(shot);
    ASSERT_GE(bmp.size(), 54u);
    const auto width = static_cast<std::int32_t>(U32(bmp, 18));
    const auto height = -static_cast<std::int32_t>(U32(bmp, 22));  // top-down
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    ASSERT_EQ(bmp.size(), 54 + static_cast<std::size_t>(width) * height * 4);
    const int dpi = GetDeviceCaps(platform::win32::ClientDc(nullptr).get(), LOGPIXELSX);
    // The test prefix pins 96 DPI, so the sizes below are those of UI scale 1.
    ASSERT_EQ(dpi, 96) << "the prefix's LogPixels setting did not take";
    // The client area of the 1120 x 720 window.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, FALSE, 0);
    EXPECT_EQ(width, 1120 - (frame.right - frame.left));
    EXPECT_EQ(height, 720 - (frame.bottom - frame.top));
    // Drawn by Direct3D, not left black: the canvas colour #08070C between the Dashboard's
    // first two tiles, and the amber accent line along the top edge right of the sidebar.
    const auto pixel = [&](int x, int y) {
        return bmp.data() + 54 + (static_cast<std::size_t>(y) * width + x) * 4;  // B, G, R, A
    };
    const int tile = (width - 292 - 42) / 4;
    const unsigned char* body = pixel(264 + tile + 7, 200);
    EXPECT_NEAR(body[0], 0x0C, 1);
    EXPECT_NEAR(body[1], 0x07, 1);
    EXPECT_NEAR(body[2], 0x08, 1);
    const unsigned char* accent = pixel(300, 0);
    EXPECT_GT(accent[2], accent[0] + 16) << "red " << int{accent[2]} << " blue " << int{accent[0]};
}

}  // namespace
