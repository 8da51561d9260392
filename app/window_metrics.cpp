#include "app/window_metrics.h"

#include <algorithm>

namespace {

int Scaled(int size, float scale) {
    return static_cast<int>(static_cast<float>(size) * scale);
}

}  // namespace

ScreenRect InitialWindowPlacement(int screenWidth, int screenHeight, float scale) {
    const int width = std::min(Scaled(1120, scale), screenWidth);
    const int height = std::min(Scaled(720, scale), screenHeight);
    const int left = (screenWidth - width) / 2;
    const int top = (screenHeight - height) / 2;
    return {left, top, left + width, top + height};
}

WindowSize MinimumWindowSize(float scale) {
    return {Scaled(980, scale), Scaled(680, scale)};
}

HitCode HitTest(const ScreenRect& window, int x, int y, float scale) {
    const int band = Scaled(6, scale);
    const bool left = x < window.left + band;
    const bool right = x >= window.right - band;
    const bool top = y < window.top + band;
    const bool bottom = y >= window.bottom - band;
    if (top && left)
        return HitCode::TopLeft;
    if (top && right)
        return HitCode::TopRight;
    if (bottom && left)
        return HitCode::BottomLeft;
    if (bottom && right)
        return HitCode::BottomRight;
    if (left)
        return HitCode::Left;
    if (right)
        return HitCode::Right;
    if (top)
        return HitCode::Top;
    if (bottom)
        return HitCode::Bottom;
    return HitCode::Client;
}
