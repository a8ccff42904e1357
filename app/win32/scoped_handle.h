#pragma once
// The owner of one Windows handle: `Release` gives it back when the owner goes or takes another
// handle. Owners move and are never copied, so a handle is given back exactly once.

#include <utility>

namespace tolvinark {

template <typename Handle, typename Release>
class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle get() const { return handle_; }
    // Gives the handle up to whoever takes it over, without giving it back.
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_) Release{}(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

}  // namespace tolvinark
