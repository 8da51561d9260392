// The fixed left column: the brand, the six navigation items that choose the page, the
// machine's load and session cards (dropped when the window is too short) and a footer.
#pragma once

#include "ui/shell_state.h"

// Inside the root window, before the main area, for a window `height` high.
void DrawSidebar(ShellState& shell, float height);

// One navigation item at the cursor, `width` wide; true on the frame it is pressed.
[[nodiscard]] bool NavItem(const char* label, int icon, bool active, float width);

// The fraction of each load bar, 0 to 1: the processor's busy share, memory in use and
// drive C: in use. A total of 0 (a failed query) gives 0.
float CpuFraction(float cpuPercent);
float UsedFraction(unsigned long long used, unsigned long long total);
