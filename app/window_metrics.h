// The geometry of the borderless main window: where it opens, how small it may get, and
// which edge or corner a pointer position resizes.
#pragma once

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Win32 hit-test codes.
enum class HitCode : int {
    Client = 1,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
};

struct WindowSize {
    int width = 0;
    int height = 0;
};

// 1120 x 720 times the scale, lowered to the screen, centred on it.
ScreenRect InitialWindowPlacement(int screenWidth, int screenHeight, float scale);
// 980 x 680 times the scale.
WindowSize MinimumWindowSize(float scale);
// Resize bands 6 x scale wide along each edge; corners take precedence over edges.
HitCode HitTest(const ScreenRect& window, int x, int y, float scale);
