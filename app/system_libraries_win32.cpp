// Direct3D 11, its shader compiler and the desktop window manager are not Known DLLs: linked
// the ordinary way, the loader would look for them beside the executable first, before
// wWinMain could change anything. So the link takes these functions from here instead of
// their import libraries, ours and Dear ImGui's backends' calls alike. Each loads its library
// from the system directory on first use and forwards; without it, it fails as a call into a
// missing library would.
#include <windows.h>
#include <d3d11.h>
#include <d3dcompiler.h>
#include <dwmapi.h>

#include "platform/win32/system_library.h"

namespace {

using platform::win32::SystemFunction;

const HRESULT kMissing = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

}  // namespace

extern "C" {

HRESULT WINAPI D3D11CreateDeviceAndSwapChain(
    IDXGIAdapter* adapter, D3D_DRIVER_TYPE driverType, HMODULE software, UINT flags,
    const D3D_FEATURE_LEVEL* featureLevels, UINT levels, UINT sdkVersion,
    const DXGI_SWAP_CHAIN_DESC* swapChainDescription, IDXGISwapChain** swapChain,
    ID3D11Device** device, D3D_FEATURE_LEVEL* obtained, ID3D11DeviceContext** context) {
    static const auto forward = SystemFunction<decltype(&D3D11CreateDeviceAndSwapChain)>(
        L"d3d11.dll", "D3D11CreateDeviceAndSwapChain");
    if (forward == nullptr)
        return kMissing;
    return forward(adapter, driverType, software, flags, featureLevels, levels, sdkVersion,
                   swapChainDescription, swapChain, device, obtained, context);
}

HRESULT WINAPI D3DCompile(const void* data, SIZE_T size, const char* fileName,
                          const D3D_SHADER_MACRO* defines, ID3DInclude* include,
                          const char* entryPoint, const char* target, UINT flags, UINT effectFlags,
                          ID3DBlob** code, ID3DBlob** errors) {
    static const auto forward =
        SystemFunction<decltype(&D3DCompile)>(L"d3dcompiler_47.dll", "D3DCompile");
    if (forward == nullptr)
        return kMissing;
    return forward(data, size, fileName, defines, include, entryPoint, target, flags, effectFlags,
                   code, errors);
}

HRESULT WINAPI DwmSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
    static const auto forward =
        SystemFunction<decltype(&DwmSetWindowAttribute)>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (forward == nullptr)
        return kMissing;
    return forward(window, attribute, value, size);
}

HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    static const auto forward = SystemFunction<decltype(&DwmIsCompositionEnabled)>(
        L"dwmapi.dll", "DwmIsCompositionEnabled");
    if (forward == nullptr)
        return kMissing;
    return forward(enabled);
}

HRESULT WINAPI DwmGetColorizationColor(DWORD* colour, BOOL* opaqueBlend) {
    static const auto forward = SystemFunction<decltype(&DwmGetColorizationColor)>(
        L"dwmapi.dll", "DwmGetColorizationColor");
    if (forward == nullptr)
        return kMissing;
    return forward(colour, opaqueBlend);
}

HRESULT WINAPI DwmEnableBlurBehindWindow(HWND window, const DWM_BLURBEHIND* blurBehind) {
    static const auto forward = SystemFunction<decltype(&DwmEnableBlurBehindWindow)>(
        L"dwmapi.dll", "DwmEnableBlurBehindWindow");
    if (forward == nullptr)
        return kMissing;
    return forward(window, blurBehind);
}

}  // extern "C"
