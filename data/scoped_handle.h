#pragma once
// The owner of one system handle: `Release` gives it back when the owner goes or takes another
// handle. Owners move and are never copied, so a handle is given back exactly once. `Empty`
// gives the value that stands for no handle: nullptr for most Windows handles,
// INVALID_HANDLE_VALUE for a Windows file, -1 for a file descriptor.

#include <utility>

namespace tolvinark {

// No handle, for handles that are pointers.
template <typename Handle>
struct NullHandle {
    static constexpr Handle value() { return nullptr; }
};

template <typename Handle, typename Release, typename Empty = NullHandle<Handle>>
class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle get() const { return handle_; }
    bool holds() const { return handle_ != Empty::value(); }

    void reset(Handle handle = Empty::value()) {
        if (holds()) Release{}(handle_);
        handle_ = handle;
    }
    // Gives the handle up without giving it back, for a caller that must see how that goes.
    Handle release() { return std::exchange(handle_, Empty::value()); }

  private:
    Handle handle_ = Empty::value();
};

}  // namespace tolvinark
