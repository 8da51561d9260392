// Network interfaces, shaped like GetAdaptersAddresses with family AF_UNSPEC and the flags
// GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"

namespace platform {

inline constexpr std::uint32_t kIfTypeSoftwareLoopback = 24;
inline constexpr std::uint32_t kIfTypeTunnel = 131;
inline constexpr std::uint32_t kIfOperStatusUp = 1;

// The fields read from one IP_ADAPTER_ADDRESSES entry; a missing text is empty.
struct AdapterEntry {
    std::string adapterName;
    std::u16string friendlyName;
    std::uint32_t ifType = 0;
    std::uint32_t operStatus = 0;
};

// One call with a zero-filled buffer of `bufferSize` bytes. On ERROR_BUFFER_OVERFLOW
// `bufferSize` holds the size the call asks for; on success `entries` holds the list in the
// platform's order.
[[nodiscard]] Status GetAdapterAddresses(std::uint32_t& bufferSize,
                                         std::vector<AdapterEntry>& entries);

}  // namespace platform
