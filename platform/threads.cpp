#include "platform/threads.h"

namespace platform {

Thread& Thread::operator=(Thread&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.release();
    }
    return *this;
}

void Thread::Close() {
    if (valid()) ThreadCloseHandle(release());
}

std::intptr_t Thread::release() {
    const std::intptr_t handle = handle_;
    handle_ = 0;
    return handle;
}

}  // namespace platform
