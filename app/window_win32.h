// The borderless main window: its class, its creation and its window procedure.
#pragma once

#include <windows.h>

inline constexpr wchar_t kWindowClassName[] = L"QuillfarrowOptimizer";
inline constexpr wchar_t kWindowTitle[] = L"Quillfarrow's Optimizer";
// A popup that can still be resized and minimized, with no maximize box.
inline constexpr DWORD kWindowStyle = WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window class; false when it could not be registered.
bool RegisterWindowClass(HINSTANCE instance);
// Creates the window centred on the primary screen.
HWND CreateMainWindow(HINSTANCE instance);
