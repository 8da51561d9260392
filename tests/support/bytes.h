// Builds expected file contents byte by byte, independently of the code under test.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class Bytes {
  public:
    Bytes& Magic() { return Raw({'Q', 'F', 'O', 'P', 'T', '1', 0, 0}); }
    Bytes& U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
        return *this;
    }
    Bytes& Str8(std::string_view text) {
        U32(static_cast<std::uint32_t>(text.size()));
        for (const char c : text)
            bytes_.push_back(static_cast<std::uint8_t>(c));
        return *this;
    }
    Bytes& Str16(std::u16string_view text) {
        U32(static_cast<std::uint32_t>(text.size()));
        return Utf16(text);
    }
    // UTF-16LE code units without a length.
    Bytes& Utf16(std::u16string_view text) {
        for (const char16_t unit : text) {
            bytes_.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes_.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        return *this;
    }
    Bytes& Raw(std::initializer_list<std::uint8_t> raw) {
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
        return *this;
    }
    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& get() const { return bytes_; }
    operator const std::vector<std::uint8_t>&() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// The bytes of a REG_SZ value: the UTF-16LE code units and one terminating NUL.
inline std::vector<std::uint8_t> RegSz(std::u16string_view text) {
    return Bytes().Utf16(text).Raw({0, 0}).get();
}
