// The toast: the most recent session-log message, bottom right, shown fully for 3.3 s and
// then faded out over one more second.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <optional>

#include "state/app_state.h"

inline constexpr std::uint64_t kToastHoldMs = 3300;
inline constexpr std::uint64_t kToastFadeMs = 1000;

// The toast's opacities at `ageMs` after its message: the bar and the text take `text`
// (truncated), the box `box` (rounded). None once the toast is gone.
struct ToastAlphas {
    int text = 0;
    int box = 0;
    bool operator==(const ToastAlphas&) const = default;
};
std::optional<ToastAlphas> ToastAlphasAt(std::uint64_t ageMs);
// Red for errors, green for successes, amber for everything else.
ImU32 ToastBarColour(LogKind kind);

// In the foreground of a display `width` × `height`.
void DrawToast(const AppState& state, float width, float height);
