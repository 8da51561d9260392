// A move-only owner of one platform handle, closed exactly once. Each handle kind names its
// "no handle" value and its close function in a traits type.
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
            Close();
            handle_ = other.release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Close(); }

    bool valid() const { return handle_ != Traits::kNone; }
    std::intptr_t native() const { return handle_; }
    void Close() {
        if (valid())
            Traits::Close(release());
    }

  private:
    std::intptr_t release() { return std::exchange(handle_, Traits::kNone); }
    std::intptr_t handle_ = Traits::kNone;
};

}  // namespace platform
