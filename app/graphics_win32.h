// The Direct3D 11 device, immediate context, swap chain and back-buffer view that Dear
// ImGui's DX11 backend draws into.
#pragma once

#include <windows.h>
#include <d3d11.h>

#include "platform/win32/handle.h"

struct GraphicsHandles {
    platform::win32::UniqueCom<ID3D11Device> device;
    platform::win32::UniqueCom<ID3D11DeviceContext> context;
    platform::win32::UniqueCom<IDXGISwapChain> swapChain;
    platform::win32::UniqueCom<ID3D11RenderTargetView> backBufferView;
};

// Device and swap chain for the window, hardware driver, feature level 11.0 or 10.0.
[[nodiscard]] HRESULT CreateGraphics(HWND window, GraphicsHandles& graphics);
// A view of buffer 0; stays empty when the buffer cannot be had.
void CreateBackBufferView(GraphicsHandles& graphics);
// Releases view, swap chain, context and device, in that order, each if present.
void ReleaseGraphics(GraphicsHandles& graphics);

// The window procedure resizes the swap chain of the graphics the window is given; none
// before this is called, nor after it is called with nullptr.
void AttachGraphics(HWND window, GraphicsHandles* graphics);
