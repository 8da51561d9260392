#include "platform/registry.h"

namespace platform {

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.release();
    }
    return *this;
}

void RegistryKey::Close() {
    if (valid()) RegistryCloseKey(release());
}

std::intptr_t RegistryKey::release() {
    const std::intptr_t handle = handle_;
    handle_ = 0;
    return handle;
}

}  // namespace platform
