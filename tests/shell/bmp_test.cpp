#include <gtest/gtest.h>

#include <vector>

#include "app/bmp.h"
#include "support/bytes.h"

namespace {

TEST(Bmp, HeadersDescribeATopDown32BitImage) {
    const auto headers = BmpHeaders(1000, 600);
    const std::vector<std::uint8_t> expected = Bytes()
                                                   .Raw({'B', 'M'})
                                                   .U32(2400054)
                                                   .U32(0)
                                                   .U32(54)
                                                   .U32(40)
                                                   .U32(1000)
                                                   .U32(static_cast<std::uint32_t>(-600))
                                                   .Raw({1, 0, 32, 0})
                                                   .U32(0)
                                                   .U32(2400000)
                                                   .U32(0)
                                                   .U32(0)
                                                   .U32(0)
                                                   .U32(0);
    EXPECT_EQ(std::vector<std::uint8_t>(headers.begin(), headers.end()), expected);
}

TEST(Bmp, RowsSwapRedAndBlueAndKeepAlpha) {
    const std::vector<std::uint8_t> rgba = {0x10, 0x20, 0x30, 0x40, 0xF5, 0xA5, 0x24, 0xFF,
                                            // padding of a wider row pitch, not copied
                                            0xEE, 0xEE, 0xEE, 0xEE};
    std::vector<std::uint8_t> bgra(8, 0);
    ConvertBmpRow(rgba, bgra);
    EXPECT_EQ(bgra, (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x40, 0x24, 0xA5, 0xF5, 0xFF}));
}

}  // namespace
