// What the main loop learns from a frame built with Dear ImGui: a signature of its draw
// data, to tell an unchanged frame, and whether input keeps frames coming.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <optional>

// A hash of everything the renderer would draw: the display, every list's vertices,
// indices and commands. None when the frame also asks the renderer for texture updates:
// such a frame is like no other.
std::optional<std::uint64_t> DrawDataSignature(const ImDrawData& data);

// True while a key or mouse button is held, or input events wait for a later frame (Dear
// ImGui takes a press and its release in separate frames): key repeats, drags and queued
// events need frames even when no message arrives.
bool InputActive();
