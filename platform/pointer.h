// The pointer's acceleration settings, shaped like SystemParametersInfoW with SPI_GETMOUSE
// and SPI_SETMOUSE: three integers, {first threshold, second threshold, acceleration}.
#pragma once

#include <array>
#include <cstdint>

#include "platform/status.h"

namespace platform {

using MouseParameters = std::array<std::int32_t, 3>;

// Also writes MouseThreshold1, MouseThreshold2 and MouseSpeed under HKCU\Control Panel\Mouse.
inline constexpr std::uint32_t kSpifUpdateIniFile = 0x1;
inline constexpr std::uint32_t kSpifSendChange = 0x2;

[[nodiscard]] Status PointerGetMouse(MouseParameters& parameters);
[[nodiscard]] Status PointerSetMouse(const MouseParameters& parameters, std::uint32_t flags);

}  // namespace platform
