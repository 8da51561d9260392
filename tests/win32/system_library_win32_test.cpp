// Libraries that are not Known DLLs come from the system directory: the loader itself, the
// platform calls into iphlpapi and powrprof, and the forwarders that stand in for Direct3D's,
// the shader compiler's and DWM's import libraries.
#include <gtest/gtest.h>

#include <windows.h>
#include <d3dcompiler.h>
#include <dwmapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/network.h"
#include "platform/power.h"
#include "platform/win32/handle.h"
#include "platform/win32/system_library.h"

namespace {

const HRESULT kMissing = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length);
}

// The full path of the loaded module of that name, in lower case; empty when none is loaded.
std::wstring LoadedFrom(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(name);
    if (module == nullptr)
        return {};
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return Lower(std::wstring(path, length));
}

TEST(SystemLibraryWin32, LoadsFromTheSystemDirectoryAndFindsNothingElse) {
    const platform::win32::UniqueModule module =
        platform::win32::LoadSystemLibrary(L"iphlpapi.dll");
    ASSERT_TRUE(module);
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module.get(), path, MAX_PATH);
    EXPECT_EQ(Lower(std::wstring(path, length)), Lower(SystemFolder() + L"\\iphlpapi.dll"));

    EXPECT_FALSE(platform::win32::LoadSystemLibrary(L"qf-no-such-library.dll"));
    using Function = DWORD(WINAPI*)();
    EXPECT_EQ(platform::win32::SystemFunction<Function>(L"qf-no-such-library.dll", "F"), nullptr);
    EXPECT_EQ(platform::win32::SystemFunction<Function>(L"iphlpapi.dll", "QfNoSuchExport"),
              nullptr);
    EXPECT_NE(platform::win32::SystemFunction<Function>(L"iphlpapi.dll", "GetAdaptersAddresses"),
              nullptr);
}

// The calls reach the system's library: whatever they answer (Wine's powrprof has no power
// schemes), it is not that the library or the function is missing.
TEST(SystemLibraryWin32, PlatformCallsReachIphlpapiAndPowrprof) {
    std::uint32_t size = 0;
    std::vector<platform::AdapterEntry> entries;
    EXPECT_NE(platform::GetAdapterAddresses(size, entries).Code(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadedFrom(L"iphlpapi.dll"), Lower(SystemFolder() + L"\\iphlpapi.dll"));

    platform::Guid scheme{};
    EXPECT_NE(platform::PowerActiveScheme(scheme).Code(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadedFrom(L"powrprof.dll"), Lower(SystemFolder() + L"\\powrprof.dll"));
}

TEST(SystemLibraryWin32, TheShaderCompilerAndDwmForwardToTheSystemDirectory) {
    const char* const source = "float4 main() : SV_Target { return float4(1, 0, 0, 1); }";
    platform::win32::UniqueCom<ID3DBlob> code;
    ASSERT_EQ(D3DCompile(source, std::strlen(source), nullptr, nullptr, nullptr, "main", "ps_4_0",
                         0, 0, code.put(), nullptr),
              S_OK);
    ASSERT_TRUE(code);
    EXPECT_GT(code->GetBufferSize(), 0u);
    EXPECT_EQ(LoadedFrom(L"d3dcompiler_47.dll"), Lower(SystemFolder() + L"\\d3dcompiler_47.dll"));

    BOOL composition = FALSE;
    EXPECT_NE(DwmIsCompositionEnabled(&composition), kMissing);
    EXPECT_EQ(LoadedFrom(L"dwmapi.dll"), Lower(SystemFolder() + L"\\dwmapi.dll"));
}

}  // namespace
