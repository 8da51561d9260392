#include "app/graphics_win32.h"

HRESULT CreateGraphics(HWND window, GraphicsHandles& graphics) {
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
                                         D3D11_SDK_VERSION, &description, graphics.swapChain.put(),
                                         graphics.device.put(), &obtained, graphics.context.put());
}

void CreateBackBufferView(GraphicsHandles& graphics) {
    platform::win32::UniqueCom<ID3D11Texture2D> buffer;
    if (FAILED(graphics.swapChain->GetBuffer(0, IID_PPV_ARGS(buffer.put()))) || !buffer)
        return;
    static_cast<void>(graphics.device->CreateRenderTargetView(buffer.get(), nullptr,
                                                              graphics.backBufferView.put()));
}

void ReleaseGraphics(GraphicsHandles& graphics) {
    graphics.backBufferView.reset();
    graphics.swapChain.reset();
    graphics.context.reset();
    graphics.device.reset();
}

void AttachGraphics(HWND window, GraphicsHandles* graphics) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
}
