// The UI scale: the screen's horizontal logical DPI / 96, written once at start-up before the
// first frame and only read after that. Every layout size of the kit is a constant times it.
#pragma once

inline float UiScale = 1.0f;
