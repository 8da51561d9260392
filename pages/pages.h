// The six pages, each drawn afresh every frame inside the frame's scrolling body from the
// AppState and the shell record it is given. Each takes the body's content width.
#pragma once

#include "state/app_state.h"
#include "ui/shell_state.h"

using PageFunction = void (*)(AppState& state, ShellState& shell, float width);

void DrawDashboardPage(AppState& state, ShellState& shell, float width);
void DrawTweaksPage(AppState& state, ShellState& shell, float width);
void DrawNetworkPage(AppState& state, ShellState& shell, float width);
void DrawDebloatPage(AppState& state, ShellState& shell, float width);
void DrawProfilesPage(AppState& state, ShellState& shell, float width);
void DrawSessionPage(AppState& state, ShellState& shell, float width);
