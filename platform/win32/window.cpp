// The main window's operations through user32.
#include "platform/window.h"

#include <windows.h>

namespace platform {
namespace {

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// A failed call that set no error code still fails.
Status LastError() {
    const DWORD code = GetLastError();
    return Status(code != ERROR_SUCCESS ? code : ERROR_GEN_FAILURE);
}

}  // namespace

void WindowStartMove(WindowHandle window) {
    ReleaseCapture();
    SendMessageW(ToHwnd(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void WindowMinimize(WindowHandle window) {
    ShowWindow(ToHwnd(window), SW_MINIMIZE);
}

void WindowPostQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

Status WindowGetPlacement(WindowHandle window, WindowPlacement& placement) {
    WINDOWPLACEMENT record{};
    record.length = sizeof record;
    if (!GetWindowPlacement(ToHwnd(window), &record))
        return LastError();
    const RECT& normal = record.rcNormalPosition;
    placement = {
        record.flags, record.showCmd, {normal.left, normal.top, normal.right, normal.bottom}};
    return Status();
}

Status WindowSetPlacement(WindowHandle window, const WindowPlacement& placement) {
    WINDOWPLACEMENT record{};
    record.length = sizeof record;
    record.flags = placement.flags;
    record.showCmd = placement.showCommand;
    const WindowRect& normal = placement.normalPosition;
    record.rcNormalPosition = {normal.left, normal.top, normal.right, normal.bottom};
    return SetWindowPlacement(ToHwnd(window), &record) ? Status() : LastError();
}

Status WindowMonitorWorkArea(WindowHandle window, WindowRect& workArea) {
    const HMONITOR monitor = MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return LastError();
    workArea = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return Status();
}

Status WindowSetRect(WindowHandle window, const WindowRect& rect) {
    return SetWindowPos(ToHwnd(window), nullptr, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, SWP_NOZORDER | SWP_FRAMECHANGED)
               ? Status()
               : LastError();
}

}  // namespace platform
