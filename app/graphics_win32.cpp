#include "app/graphics_win32.h"

HRESULT CreateGraphics(HWND window) {
    DXGI_SWAP_CHAIN_DESC description{};
    description.BufferCount = 2;
    description.BufferDesc.Width = 0;
    description.BufferDesc.Height = 0;
    description.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.BufferDesc.RefreshRate = {60, 1};
    description.SampleDesc = {1, 0};
    description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    description.OutputWindow = window;
    description.Windowed = TRUE;
    description.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    description.Flags = 0;
    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_0};
    D3D_FEATURE_LEVEL obtained{};
    return D3D11CreateDeviceAndSwapChain(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, levels, 2,
                                         D3D11_SDK_VERSION, &description, Graphics.swapChain.put(),
                                         Graphics.device.put(), &obtained, Graphics.context.put());
}

void CreateBackBufferView() {
    platform::win32::UniqueCom<ID3D11Texture2D> buffer;
    if (FAILED(Graphics.swapChain->GetBuffer(0, IID_PPV_ARGS(buffer.put()))) || !buffer)
        return;
    static_cast<void>(Graphics.device->CreateRenderTargetView(buffer.get(), nullptr,
                                                              Graphics.backBufferView.put()));
}

void ReleaseGraphics() {
    Graphics.backBufferView.reset();
    Graphics.swapChain.reset();
    Graphics.context.reset();
    Graphics.device.reset();
}
