// The frame every page sits in, built once per frame between ImGui::NewFrame and
// ImGui::Render: backdrop, drag strip, sidebar, header with the restore-point button, the
// scrolling body of the current page, status bar, window buttons and the toast.
#pragma once

#include <imgui.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/window.h"
#include "state/app_state.h"

inline constexpr std::array<const char*, 6> PageTitles = {"Dashboard", "Tweaks",   "Network",
                                                          "Debloat",   "Profiles", "Log"};
inline constexpr std::array<const char*, 6> PageCaptions = {"SYSTEM STATUS", "CATALOG",  "LATENCY",
                                                            "CLEANUP",       "PROFILES", "SESSION"};

// True while the window fills the monitor's work area through the maximize button.
inline bool WindowMaximized = false;
// The placement before maximizing, given back by the next ToggleMaximize.
inline platform::WindowPlacement SavedPlacement;

void DrawFrame();

// The header's upper-case page name after "WORKSPACE /", and its caption line with the
// number of active tweaks. Empty names for an index outside the pages.
std::string PageBreadcrumb(int page);
std::string PageCaption(int page, std::uint32_t activeTweaks);

// The window backdrop: the canvas colour, a warm glow above the top right and a fading
// accent line along the top left.
void DrawBackdrop(ImDrawList* drawList, ImVec2 size);

// Concentric discs, largest first, each a little more opaque: densest at the centre.
void DrawGlow(ImDrawList* drawList, ImVec2 center, float radius, ImU32 colour, int rings);

// Close, maximize and minimize, inside the "##chrome" window of a display W wide.
void DrawWindowButtons(float width);

// Fills the monitor's work area, or gives back the placement saved before. Nothing changes
// when a query or the move fails.
void ToggleMaximize();

// The toast shows the last message fully for 3.3 s, then fades out over one more second.
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

// The most recent session-log message, bottom right, for 3.3 s and a one-second fade.
void DrawToast(float width, float height);
