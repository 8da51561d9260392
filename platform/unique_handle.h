// A move-only owner of one platform handle, closed exactly once, with the method names of the
// Windows owners (platform/win32/handle.h). Each handle kind names its "no handle" value and
// its close function in a traits type.
#pragma once

#include <cstdint>
#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(std::intptr_t handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    bool Valid() const { return handle_ != Traits::kNone; }
    std::intptr_t get() const { return handle_; }
    void reset() {
        if (Valid())
            Traits::Close(release());
    }

  private:
    std::intptr_t release() { return std::exchange(handle_, Traits::kNone); }
    std::intptr_t handle_ = Traits::kNone;
};

}  // namespace platform
