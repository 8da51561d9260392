// One card of the Profiles page, on its own so that any name, even one without a profile,
// can be drawn the way the page draws its four.
#pragma once

#include <imgui.h>

#include <string_view>

#include "state/app_state.h"
#include "ui/shell_state.h"

// A cardWidth × 172 s card at `corner`: the name, the description cut to one line, how many
// of the profile's tweaks are applied with a progress bar, "APPLY" (applies the profile) and
// "VIEW" (shows the Tweaks page).
void DrawProfileCard(AppState& state, ShellState& shell, std::string_view name,
                     std::string_view description, ImVec2 corner, float cardWidth);
