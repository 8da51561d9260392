// One reference to a COM object, released exactly once.
#pragma once

#include <utility>

template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (object_ != nullptr)
            std::exchange(object_, nullptr)->Release();
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For creation calls that hand out a new reference; drops the old one first.
    T** Out() {
        Reset();
        return &object_;
    }

  private:
    T* object_ = nullptr;
};
