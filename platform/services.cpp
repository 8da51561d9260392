#include "platform/services.h"

namespace platform {

ServiceHandle& ServiceHandle::operator=(ServiceHandle&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.release();
    }
    return *this;
}

void ServiceHandle::Close() {
    if (valid()) ServiceCloseHandle(release());
}

std::intptr_t ServiceHandle::release() {
    const std::intptr_t handle = handle_;
    handle_ = 0;
    return handle;
}

}  // namespace platform
