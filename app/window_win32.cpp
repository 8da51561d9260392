#include "app/window_win32.h"

#include <imgui.h>
#include <imgui_impl_win32.h>

#include "app/graphics_win32.h"
#include "app/window_metrics.h"
#include "ui/scale.h"

extern IMGUI_IMPL_API LRESULT ImGui_ImplWin32_WndProcHandler(HWND window, UINT message,
                                                             WPARAM wParam, LPARAM lParam);

namespace {

void ResizeSwapChain(HWND window, WPARAM kind, LPARAM size) {
    auto* graphics = reinterpret_cast<GraphicsHandles*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (graphics == nullptr || !graphics->device || kind == SIZE_MINIMIZED || !graphics->swapChain)
        return;
    graphics->backBufferView.reset();
    // A failed resize leaves the old buffers; the view is made from whatever buffer 0 is.
    static_cast<void>(
        graphics->swapChain->ResizeBuffers(0, LOWORD(size), HIWORD(size), DXGI_FORMAT_UNKNOWN, 0));
    CreateBackBufferView(*graphics);
}

LRESULT HitTestMessage(HWND window, LPARAM position) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    return static_cast<LRESULT>(
        HitTest({bounds.left, bounds.top, bounds.right, bounds.bottom}, x, y, UiScale));
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ImGui_ImplWin32_WndProcHandler(window, message, wParam, lParam))
        return 1;
    switch (message) {
        case WM_SIZE:
            ResizeSwapChain(window, wParam, lParam);
            return 0;
        case WM_GETMINMAXINFO: {
            const WindowSize minimum = MinimumWindowSize(UiScale);
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = minimum.width;
            info->ptMinTrackSize.y = minimum.height;
            return 0;
        }
        case WM_NCHITTEST:
            return HitTestMessage(window, lParam);
        case WM_SYSCOMMAND:
            // Alt alone must not open the window menu.
            if ((wParam & 0xFFF0) == SC_KEYMENU)
                return 0;
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
    const ScreenRect place = InitialWindowPlacement(GetSystemMetrics(SM_CXSCREEN),
                                                    GetSystemMetrics(SM_CYSCREEN), UiScale);
    return CreateWindowExW(0, kWindowClassName, kWindowTitle, kWindowStyle, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                           instance, nullptr);
}
