// Data compiled into the executable, shaped like FindResourceW (no module, RT_RCDATA),
// LoadResource, LockResource and SizeofResource.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// The bytes of the RT_RCDATA resource with this id; empty when it is missing. They live as
// long as the process.
std::span<const std::uint8_t> RcDataResource(int id);

}  // namespace platform
