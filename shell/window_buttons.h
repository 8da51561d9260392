// Close, maximize and minimize at the window's top right, and the maximize toggle they use.
#pragma once

#include "ui/shell_state.h"

// Inside the "##chrome" window of a display `width` wide.
void DrawWindowButtons(ShellState& shell, float width);

// Fills the monitor's work area, or gives back the placement saved before. Nothing changes
// when a query or the move fails.
void ToggleMaximize(ShellState& shell);
