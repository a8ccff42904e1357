#pragma once
// An icon loaded for one window and destroyed when its owner goes. Must outlive every window
// that shows it.

#include <windows.h>

#include <utility>

namespace tolvinark {

class ScopedIcon {
  public:
    ScopedIcon() = default;
    explicit ScopedIcon(HICON icon) : icon_(icon) {}
    ~ScopedIcon() { reset(); }
    ScopedIcon(ScopedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    ScopedIcon& operator=(ScopedIcon&& other) noexcept {
        if (this != &other) {
            reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;

    HICON get() const { return icon_; }
    void reset(HICON icon = nullptr) {
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

  private:
    HICON icon_ = nullptr;
};

}  // namespace tolvinark
