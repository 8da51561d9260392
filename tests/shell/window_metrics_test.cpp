#include <gtest/gtest.h>

#include "app/window_metrics.h"

namespace {

TEST(WindowMetrics, OpensCentredAndClampedToTheScreen) {
    const struct {
        int screenWidth, screenHeight;
        float scale;
        ScreenRect expected;
    } rows[] = {
        {1920, 1080, 1.0f, {400, 180, 1520, 900}},
        {1920, 1080, 1.5f, {120, 0, 1800, 1080}},
        {1024, 600, 1.0f, {0, 0, 1024, 600}},
        {1121, 721, 1.0f, {0, 0, 1120, 720}},
    };
    for (const auto& row : rows) {
        const ScreenRect place =
            InitialWindowPlacement(row.screenWidth, row.screenHeight, row.scale);
        EXPECT_EQ(place.left, row.expected.left) << row.screenWidth << " at " << row.scale;
        EXPECT_EQ(place.top, row.expected.top);
        EXPECT_EQ(place.right, row.expected.right);
        EXPECT_EQ(place.bottom, row.expected.bottom);
    }
}

TEST(WindowMetrics, MinimumSizeScales) {
    EXPECT_EQ(MinimumWindowSize(1.0f).width, 980);
    EXPECT_EQ(MinimumWindowSize(1.0f).height, 680);
    EXPECT_EQ(MinimumWindowSize(1.5f).width, 1470);
    EXPECT_EQ(MinimumWindowSize(1.5f).height, 1020);
    EXPECT_EQ(MinimumWindowSize(1.25f).width, 1225);
}

TEST(WindowMetrics, HitTestPrefersCornersOverEdges) {
    const ScreenRect w{100, 50, 1100, 750};
    const struct {
        int x, y;
        float scale;
        HitCode code;
    } rows[] = {
        {103, 53, 1.0f, HitCode::TopLeft},     {1096, 53, 1.0f, HitCode::TopRight},
        {103, 746, 1.0f, HitCode::BottomLeft}, {1099, 749, 1.0f, HitCode::BottomRight},
        {600, 53, 1.0f, HitCode::Top},         {600, 744, 1.0f, HitCode::Bottom},
        {105, 400, 1.0f, HitCode::Left},       {1094, 400, 1.0f, HitCode::Right},
        {106, 400, 1.0f, HitCode::Client},     {1093, 400, 1.0f, HitCode::Client},
        {600, 56, 1.0f, HitCode::Client},      {600, 60, 1.0f, HitCode::Client},
        {108, 58, 1.5f, HitCode::TopLeft},     {109, 400, 1.5f, HitCode::Client},
        {90, 400, 1.0f, HitCode::Left},        {600, 400, 1.0f, HitCode::Client},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HitTest(w, row.x, row.y, row.scale), row.code)
            << row.x << "," << row.y << " at " << row.scale;
    }
}

}  // namespace
