// The yardstick for the program's start-up and memory: an empty Dear ImGui window over the
// same Win32 and Direct3D 11 backends, built from the same Dear ImGui source, of the
// program's size and with its swap chain. It loads one Inter font, draws a text and a button
// for 24 frames, reads the back buffer back into a BMP file and ends, as the program's
// screenshot run does:
//
//     qf_empty_window --shot=PATH
#include <windows.h>
#include <d3d11.h>
#include <shellapi.h>

#include <imgui.h>
#include <imgui_impl_dx11.h>
#include <imgui_impl_win32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/bmp.h"
#include "platform/win32/handle.h"
#include "ui/imgui_config.h"

extern IMGUI_IMPL_API LRESULT ImGui_ImplWin32_WndProcHandler(HWND window, UINT message,
                                                             WPARAM wParam, LPARAM lParam);

void ImGuiAssertFailed(const char* /*expression*/, const char* /*file*/, int /*line*/) {}

namespace {

constexpr int kFrames = 24;

using platform::win32::UniqueCom;

UniqueCom<ID3D11Device> Device;
UniqueCom<ID3D11DeviceContext> Context;
UniqueCom<IDXGISwapChain> SwapChain;
UniqueCom<ID3D11RenderTargetView> View;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ImGui_ImplWin32_WndProcHandler(window, message, wParam, lParam))
        return 1;
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CreateDevice(HWND window) {
    DXGI_SWAP_CHAIN_DESC description{};
    description.BufferCount = 2;
    description.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.BufferDesc.RefreshRate = {60, 1};
    description.SampleDesc = {1, 0};
    description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    description.OutputWindow = window;
    description.Windowed = TRUE;
    description.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_0};
    D3D_FEATURE_LEVEL obtained{};
    if (FAILED(D3D11CreateDeviceAndSwapChain(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, levels,
                                             2, D3D11_SDK_VERSION, &description, SwapChain.put(),
                                             Device.put(), &obtained, Context.put()))) {
        return false;
    }
    UniqueCom<ID3D11Texture2D> buffer;
    if (FAILED(SwapChain->GetBuffer(0, IID_PPV_ARGS(buffer.put()))))
        return false;
    static_cast<void>(Device->CreateRenderTargetView(buffer.get(), nullptr, View.put()));
    return static_cast<bool>(View);
}

void LoadInterFont() {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(201), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return;
    ImFontConfig config;
    config.FontDataOwnedByAtlas = false;
    ImGui::GetIO().Fonts->AddFontFromMemoryTTF(
        bytes, static_cast<int>(SizeofResource(nullptr, found)), 18.0f, &config);
}

void DrawAndPresent() {
    ImGui_ImplDX11_NewFrame();
    ImGui_ImplWin32_NewFrame();
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
    ImGui::Begin("##empty", nullptr, ImGuiWindowFlags_NoDecoration);
    ImGui::TextUnformatted("An empty Dear ImGui window");
    ImGui::Button("A button");
    ImGui::End();
    ImGui::Render();
    static constexpr float kClear[4] = {10 / 255.0f, 9 / 255.0f, 14 / 255.0f, 1.0f};
    ID3D11RenderTargetView* const targets[] = {View.get()};
    Context->OMSetRenderTargets(1, targets, nullptr);
    Context->ClearRenderTargetView(View.get(), kClear);
    ImGui_ImplDX11_RenderDrawData(ImGui::GetDrawData());
    SwapChain->Present(1, 0);
}

// The back buffer through a staging texture into a BMP file, as the program's capture does.
void SaveBackBuffer(const wchar_t* path) {
    UniqueCom<ID3D11Texture2D> backBuffer;
    if (FAILED(SwapChain->GetBuffer(0, IID_PPV_ARGS(backBuffer.put()))))
        return;
    D3D11_TEXTURE2D_DESC description{};
    backBuffer->GetDesc(&description);
    description.Usage = D3D11_USAGE_STAGING;
    description.BindFlags = 0;
    description.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    description.MiscFlags = 0;
    UniqueCom<ID3D11Texture2D> staging;
    if (SUCCEEDED(Device->CreateTexture2D(&description, nullptr, staging.put()))) {
        Context->CopyResource(staging.get(), backBuffer.get());
        D3D11_MAPPED_SUBRESOURCE mapped{};
        platform::win32::UniqueStdFile file;
        if (SUCCEEDED(Context->Map(staging.get(), 0, D3D11_MAP_READ, 0, &mapped))) {
            if (_wfopen_s(file.put(), path, L"wb") == 0 && file) {
                const auto headers = BmpHeaders(description.Width, description.Height);
                std::fwrite(headers.data(), 1, headers.size(), file.get());
                std::vector<std::uint8_t> row(std::size_t{description.Width} * 4);
                const auto* source = static_cast<const std::uint8_t*>(mapped.pData);
                for (UINT y = 0; y < description.Height; ++y) {
                    ConvertBmpRow({source + std::size_t{y} * mapped.RowPitch, row.size()}, row);
                    std::fwrite(row.data(), 1, row.size(), file.get());
                }
                file.reset();
            }
            Context->Unmap(staging.get(), 0);
        }
    }
}

std::wstring ShotPath() {
    int count = 0;
    const platform::win32::UniqueLocal<wchar_t*> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::wstring path;
    for (int i = 1; arguments && i < count; ++i) {
        const std::wstring argument = arguments.get()[i];
        if (argument.rfind(L"--shot=", 0) == 0)
            path = argument.substr(7);
    }
    return path;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    const std::wstring shot = ShotPath();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"QfEmptyWindow";
    RegisterClassExW(&windowClass);
    const int width = 1120;
    const int height = 720;
    HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, L"Empty", WS_POPUP | WS_SYSMENU | WS_THICKFRAME,
        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
        width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || !CreateDevice(window))
        return 1;
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);

    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    LoadInterFont();
    ImGui_ImplWin32_Init(window);
    ImGui_ImplDX11_Init(Device.get(), Context.get());

    bool running = true;
    for (int frame = 0; running && frame < kFrames; ++frame) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (message.message == WM_QUIT)
                running = false;
        }
        DrawAndPresent();
    }
    if (!shot.empty())
        SaveBackBuffer(shot.c_str());

    ImGui_ImplDX11_Shutdown();
    ImGui_ImplWin32_Shutdown();
    ImGui::DestroyContext();
    View.reset();
    SwapChain.reset();
    Context.reset();
    Device.reset();
    DestroyWindow(window);
    UnregisterClassW(windowClass.lpszClassName, instance);
    return 0;
}
