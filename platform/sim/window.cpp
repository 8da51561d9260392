// The simulated main window: a rectangle, a work area and a record of every call.
// Placements are in workspace coordinates, as Windows gives them: relative to the work
// area, which differs from the screen when the task bar is at the left or the top.
#include "platform/window.h"

#include "platform/sim/sim.h"

namespace platform {
namespace {

sim::Window& TheWindow(const char* call) {
    sim::Window& window = sim::TheMachine().window;
    window.calls.emplace_back(call);
    return window;
}

WindowRect Shifted(const WindowRect& rect, std::int32_t dx, std::int32_t dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

void WindowStartMove(WindowHandle) {
    TheWindow("StartMove");
}

void WindowMinimize(WindowHandle) {
    TheWindow("Minimize").minimized = true;
}

void WindowPostQuit(int exitCode) {
    TheWindow("PostQuit").quitCode = exitCode;
}

Status WindowGetPlacement(WindowHandle, WindowPlacement& placement) {
    const sim::Window& window = TheWindow("GetPlacement");
    if (window.placementError != 0)
        return Status(window.placementError);
    placement = {0, 1, Shifted(window.rect, -window.workArea.left, -window.workArea.top)};
    return Status();
}

Status WindowSetPlacement(WindowHandle, const WindowPlacement& placement) {
    sim::Window& window = TheWindow("SetPlacement");
    if (window.placementError != 0)
        return Status(window.placementError);
    window.rect = Shifted(placement.normalPosition, window.workArea.left, window.workArea.top);
    return Status();
}

Status WindowMonitorWorkArea(WindowHandle, WindowRect& workArea) {
    const sim::Window& window = TheWindow("MonitorWorkArea");
    if (window.monitorError != 0)
        return Status(window.monitorError);
    workArea = window.workArea;
    return Status();
}

Status WindowSetRect(WindowHandle, const WindowRect& rect) {
    TheWindow("SetRect").rect = rect;
    return Status();
}

}  // namespace platform
