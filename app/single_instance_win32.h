// One interactive copy per user: the lock every interactive run takes first, the mark on its
// window, and the hand-over of a later copy to that window.
#pragma once

#include <windows.h>

#include "platform/win32/handle.h"

// Set on the window of an interactive run only, so that a screenshot run's window (or any
// other window of the class) is never the one a later copy brings forward.
inline constexpr wchar_t kInteractiveWindowProperty[] = L"QuillfarrowOptimizer.Interactive";

struct InstanceLock {
    // Open for the life of the process: the lock is held while any handle to it is.
    platform::win32::UniqueHandle mutex;
    // Another interactive copy of this user runs (or one elevated, whose lock this process
    // may not open).
    bool heldElsewhere = false;
};

// Without the user's SID or a lock object, the run goes ahead unguarded rather than not at all.
[[nodiscard]] InstanceLock TakeInstanceLock();

[[nodiscard]] bool MarkInteractiveWindow(HWND window);
void UnmarkInteractiveWindow(HWND window);

// Restores the running copy's window when minimized and brings it to the front; gives up when
// no marked window appears within 5 s.
void ActivateRunningCopy();
