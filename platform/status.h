// The result of one platform call: a Win32 error code, 0 meaning success. Both platform
// implementations report failures with the codes Windows uses.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorWriteFault = 29;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorBufferOverflow = 111;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;

class [[nodiscard]] Status {
  public:
    constexpr Status() = default;
    constexpr explicit Status(std::uint32_t code) : code_(code) {}
    constexpr bool Ok() const { return code_ == kErrorSuccess; }
    // The file, key or value is not there, as opposed to there but refused or unreadable.
    constexpr bool IsNotFound() const {
        return code_ == kErrorFileNotFound || code_ == kErrorPathNotFound;
    }
    constexpr std::uint32_t Code() const { return code_; }

  private:
    std::uint32_t code_ = kErrorSuccess;
};

}  // namespace platform
