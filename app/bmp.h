// The screenshot file: an uncompressed 32-bit top-down BMP.
#pragma once

#include <array>
#include <cstdint>
#include <span>

inline constexpr std::size_t kBmpHeaderSize = 54;

// The 14-byte file header followed by the 40-byte information header (negative height:
// rows top-down).
std::array<std::uint8_t, kBmpHeaderSize> BmpHeaders(std::uint32_t width, std::uint32_t height);

// One row of R8G8B8A8 pixels as BMP's blue, green, red, alpha.
void ConvertBmpRow(std::span<const std::uint8_t> rgba, std::span<std::uint8_t> bgra);
