// Screenshot runs of the real program in the virtual display: the BMP's every header field,
// its size against the window's frame, and a few pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/handle.h"
#include "program.h"

namespace {

std::uint32_t U32(const std::vector<unsigned char>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::uint16_t U16(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

struct Pixel {
    int blue, green, red, alpha;
};

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const int dpi = GetDeviceCaps(platform::win32::ClientDc(nullptr).get(), LOGPIXELSX);
        // The test prefix pins 96 DPI, so every size below is that of UI scale 1.
        ASSERT_EQ(dpi, 96) << "the prefix's LogPixels setting did not take";
        path = program::TempFolder() + L"qf-shot-" + std::to_wstring(GetTickCount64()) + L".bmp";
    }
    void TearDown() override { DeleteFileW(path.c_str()); }

    // The client area of a 1120 x 720 window of the program's style at 96 DPI.
    static SIZE ExpectedSize() {
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, FALSE,
                           0);
        return {1120 - (frame.right - frame.left), 720 - (frame.bottom - frame.top)};
    }

    Pixel At(int x, int y) const {
        const std::size_t at = 54 + (static_cast<std::size_t>(y) * width + x) * 4;
        return {bmp[at], bmp[at + 1], bmp[at + 2], bmp[at + 3]};
    }

    void Shoot(const std::wstring& extra = L"") {
        ASSERT_EQ(program::RunToExit(L"\"--shot=" + path + L"\" " + extra), 0);
        bmp = program::FileBytes(path);
        ASSERT_GE(bmp.size(), 54u);
        width = static_cast<int>(U32(bmp, 18));
    }

    std::wstring path;
    std::vector<unsigned char> bmp;
    int width = 0;
};

TEST_F(ScreenshotTest, TheFileIsATopDown32BitBmpOfTheClientArea) {
    Shoot();
    const SIZE size = ExpectedSize();
    const auto w = static_cast<std::uint32_t>(size.cx);
    const auto h = static_cast<std::uint32_t>(size.cy);
    EXPECT_EQ(U16(bmp, 0), 0x4D42);
    EXPECT_EQ(U32(bmp, 2), w * h * 4 + 54);
    EXPECT_EQ(U16(bmp, 6), 0);
    EXPECT_EQ(U16(bmp, 8), 0);
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), w);
    EXPECT_EQ(static_cast<std::int32_t>(U32(bmp, 22)), -static_cast<std::int32_t>(h));
    EXPECT_EQ(U16(bmp, 26), 1);
    EXPECT_EQ(U16(bmp, 28), 32);
    EXPECT_EQ(U32(bmp, 30), 0u);
    EXPECT_EQ(U32(bmp, 34), w * h * 4);
    for (std::size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(U32(bmp, at), 0u) << "offset " << at;
    // Rows tightly packed: nothing before, between or after them.
    EXPECT_EQ(bmp.size(), w * h * 4 + 54);
}

TEST_F(ScreenshotTest, PixelsShowTheCanvasAndTheAccentInTheRightChannels) {
    Shoot();
    ASSERT_EQ(bmp.size(), 54 + static_cast<std::size_t>(ExpectedSize().cx) * ExpectedSize().cy * 4);
    // In the body between the Dashboard's first two tiles, far from the glow above the top
    // right: the canvas colour #08070C.
    const int tile = (width - 292 - 42) / 4;
    const Pixel body = At(264 + tile + 7, 200);
    EXPECT_NEAR(body.blue, 0x0C, 1);
    EXPECT_NEAR(body.green, 0x07, 1);
    EXPECT_NEAR(body.red, 0x08, 1);
    // The amber accent line along the top edge, right of the sidebar that covers its start:
    // red well above blue.
    const Pixel accent = At(300, 0);
    EXPECT_GT(accent.red, accent.blue + 16) << accent.red << " " << accent.blue;
    // The glow warms the top right: red above blue there too.
    const Pixel glow = At(width * 88 / 100, 2);
    EXPECT_GT(glow.red, glow.blue);
}

TEST_F(ScreenshotTest, APageSwitchStillGivesAPicture) {
    Shoot(L"--page=1");
    EXPECT_EQ(bmp.size(), 54 + static_cast<std::size_t>(ExpectedSize().cx) * ExpectedSize().cy * 4);
}

// Whether the pixel is the colour #RRGGBB within `tolerance` in each channel.
testing::AssertionResult IsColour(Pixel pixel, std::uint32_t rgb, int tolerance) {
    const int red = static_cast<int>(rgb >> 16);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    if (std::abs(pixel.red - red) <= tolerance && std::abs(pixel.green - green) <= tolerance &&
        std::abs(pixel.blue - blue) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "red " << pixel.red << " green " << pixel.green << " blue " << pixel.blue;
}

struct Probe {
    int x;
    int y;
    std::uint32_t rgb;
};

// Points inside each page's own buttons and cards, away from text and live values, from
// the layout at 96 DPI for a client area `width` pixels wide: the body's content starts at
// x 264 and is width - 292 wide; nothing on the pages depends on the height.
std::vector<Probe> PageProbes(int page, int width) {
    constexpr std::uint32_t kSurface = 0x121017;  // button fills
    const int content = width - 292;
    switch (page) {
        case 0: {  // the quick profile card's COMPETITIVE and REVERT ALL buttons
            const int button = 264 + static_cast<int>(0.6 * content - 7) + 14 + 18 + 8;
            return {{button, 413, kSurface}, {button, 489, 0x1F1117}};
        }
        case 1:  // SAFE ONLY, and the filter field's right end
            return {{width - 148, 154, kSurface}, {570, 170, kSurface}};
        case 2:  // the first DNS preset and BACK TO DHCP
            return {{288, 272, kSurface}, {288, 313, kSurface}};
        case 3:  // the APPLY buttons of the first and the third card
            return {{width - 190, 222, kSurface}, {width - 190, 486, kSurface}};
        case 4:  // the first card's VIEW button and progress track
            return {{428, 277, kSurface}, {300, 243, 0x23202D}};
        default:  // OPEN LOG and CLEAR
            return {{270, 155, kSurface}, {428, 155, kSurface}};
    }
}

TEST_F(ScreenshotTest, EachPageShowsTheFrameAndMarksOnlyItsOwnNavigationItem) {
    constexpr std::uint32_t kPanel = 0x0C0B11;
    constexpr std::uint32_t kAccent = 0xF5A524;
    constexpr std::uint32_t kBorder = 0x23202D;
    constexpr std::uint32_t kSuccess = 0x37E08B;
    for (int page = 0; page <= 5; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        Shoot(L"--page=" + std::to_wstring(page));
        if (HasFatalFailure())
            return;
        const int height = static_cast<int>(bmp.size() - 54) / 4 / width;
        EXPECT_TRUE(IsColour(At(200, 64), kPanel, 2)) << "sidebar";
        for (int item = 0; item <= 5; ++item) {
            const Pixel bar = At(16, 131 + 41 * item);
            EXPECT_EQ(IsColour(bar, kAccent, 2), item == page) << "item " << item;
        }
        EXPECT_TRUE(IsColour(At(width - 60, 116), kBorder, 4)) << "header rule";
        EXPECT_TRUE(IsColour(At(width - 60, height - 32), kBorder, 4)) << "status rule";
        EXPECT_TRUE(IsColour(At(268, height - 16), kSuccess, 2)) << "status dot";
        // Its own page's probes all hold; every other page's fail somewhere.
        for (int other = 0; other <= 5; ++other) {
            bool all = true;
            for (const Probe& probe : PageProbes(other, width)) {
                const bool holds = IsColour(At(probe.x, probe.y), probe.rgb, 2);
                if (other == page) {
                    EXPECT_TRUE(holds) << "probe (" << probe.x << ", " << probe.y << ")";
                }
                all = all && holds;
            }
            EXPECT_EQ(all, other == page) << "probes of page " << other;
        }
    }
}

TEST_F(ScreenshotTest, AFolderThatDoesNotExistGivesNoFileAndANormalExit) {
    const std::wstring missing = program::TempFolder() + L"qf-no-such-folder\\shot.bmp";
    EXPECT_EQ(program::RunToExit(L"\"--shot=" + missing + L"\""), 0);
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
