// The shell record: what the window's shell keeps between frames and hands, with the
// AppState, to the frame and the pages. One instance, owned by the program's host.
#pragma once

#include <array>
#include <cstddef>

#include "platform/window.h"

// The Tweaks filter: 95 bytes of UTF-8 text and the terminating zero.
inline constexpr std::size_t kTweaksFilterCapacity = 96;

struct ShellState {
    // The page drawn in the body: 0 Dashboard, 1 Tweaks, 2 Network, 3 Debloat, 4 Profiles,
    // 5 Log.
    int CurrentPage = 0;
    // The main window, for the requests of the window buttons and the drag strip.
    platform::WindowHandle window = 0;
    // True while the window fills the monitor's work area through the maximize button.
    bool WindowMaximized = false;
    // The placement before maximizing, given back by the next ToggleMaximize.
    platform::WindowPlacement SavedPlacement;
    // The Tweaks page's filter text: all zero at start, kept across page switches for the
    // life of the process, never saved.
    std::array<char, kTweaksFilterCapacity> filter = {};
};
