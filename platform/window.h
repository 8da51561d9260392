// The main window's operations that the frame triggers, shaped like user32: the system's
// move loop (ReleaseCapture, then WM_NCLBUTTONDOWN with HTCAPTION), ShowWindow(SW_MINIMIZE),
// PostQuitMessage, Get/SetWindowPlacement, the nearest monitor's work area
// (MonitorFromWindow(MONITOR_DEFAULTTONEAREST) + GetMonitorInfoW) and SetWindowPos.
#pragma once

#include <cstdint>

#include "platform/status.h"

namespace platform {

// The main window as the interface holds it: an HWND's value; 0 is no window.
using WindowHandle = std::uintptr_t;

// Screen pixels, right and bottom exclusive, as a RECT.
struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// The parts of WINDOWPLACEMENT the frame keeps. The normal position is in workspace
// coordinates (relative to the work area, not the screen) when a task bar sits at the left
// or the top, so it is given back through WindowSetPlacement, never as a screen rectangle.
struct WindowPlacement {
    std::uint32_t flags = 0;
    std::uint32_t showCommand = 0;
    WindowRect normalPosition;
};

// Hands the press to the system's own move loop, which returns when the move ends.
void WindowStartMove(WindowHandle window);
void WindowMinimize(WindowHandle window);
// Ends the main loop of the calling thread with this exit code.
void WindowPostQuit(int exitCode);

[[nodiscard]] Status WindowGetPlacement(WindowHandle window, WindowPlacement& placement);
[[nodiscard]] Status WindowSetPlacement(WindowHandle window, const WindowPlacement& placement);
// The work area (the screen minus the task bar) of the monitor nearest to the window.
[[nodiscard]] Status WindowMonitorWorkArea(WindowHandle window, WindowRect& workArea);
// Moves and sizes the window, without changing its z-order; its frame is recalculated.
[[nodiscard]] Status WindowSetRect(WindowHandle window, const WindowRect& rect);

}  // namespace platform
