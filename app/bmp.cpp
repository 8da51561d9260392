#include "app/bmp.h"

namespace {

class HeaderWriter {
  public:
    explicit HeaderWriter(std::array<std::uint8_t, kBmpHeaderSize>& bytes) : bytes_(bytes) {}
    HeaderWriter& U16(std::uint16_t value) { return Put(value, 2); }
    HeaderWriter& U32(std::uint32_t value) { return Put(value, 4); }

  private:
    HeaderWriter& Put(std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes_[at_++] = static_cast<std::uint8_t>(value >> (8 * i));
        return *this;
    }
    std::array<std::uint8_t, kBmpHeaderSize>& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::array<std::uint8_t, kBmpHeaderSize> BmpHeaders(std::uint32_t width, std::uint32_t height) {
    std::array<std::uint8_t, kBmpHeaderSize> bytes{};
    const std::uint32_t imageSize = width * height * 4;
    HeaderWriter(bytes)
        .U16(0x4D42)  // "BM"
        .U32(imageSize + kBmpHeaderSize)
        .U16(0)
        .U16(0)
        .U32(kBmpHeaderSize)
        .U32(40)
        .U32(width)
        .U32(static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)))
        .U16(1)
        .U16(32)
        .U32(0)  // BI_RGB
        .U32(imageSize)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0);
    return bytes;
}

void ConvertBmpRow(std::span<const std::uint8_t> rgba, std::span<std::uint8_t> bgra) {
    for (std::size_t at = 0; at + 3 < bgra.size() && at + 3 < rgba.size(); at += 4) {
        bgra[at + 0] = rgba[at + 2];
        bgra[at + 1] = rgba[at + 1];
        bgra[at + 2] = rgba[at + 0];
        bgra[at + 3] = rgba[at + 3];
    }
}
