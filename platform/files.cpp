#include "platform/files.h"

namespace platform {

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.release();
    }
    return *this;
}

void File::Close() {
    if (valid()) {
        FileCloseHandle(release());
    }
}

std::intptr_t File::release() {
    const std::intptr_t handle = handle_;
    handle_ = kNoHandle;
    return handle;
}

}  // namespace platform
