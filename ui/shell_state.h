// Shell state that the whole interface reads; the shell sets it at start-up.
#pragma once

#include "platform/window.h"

// The screen's horizontal logical DPI / 96, taken once at start-up. Every layout size is a
// constant times this.
inline float UiScale = 1.0f;

// The page drawn in the body: 0 Dashboard, 1 Tweaks, 2 Network, 3 Debloat, 4 Profiles, 5 Log.
inline int CurrentPage = 0;

// The main window, for the requests of the window buttons and the drag strip.
inline platform::WindowHandle MainWindow = 0;
