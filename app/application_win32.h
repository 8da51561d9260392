// The Windows program: start-up in its fixed order, the main loop, and shutdown.
#pragma once

#include <windows.h>

// 0 after a normal or screenshot run; 1 when the window or the graphics device could not
// be created.
int RunApplication(HINSTANCE instance);
