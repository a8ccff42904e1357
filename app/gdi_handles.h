#pragma once
// Owners of the GDI resources the viewer gives back: objects and memory contexts it deletes,
// paint sessions it ends, selections it undoes. Objects kept for the whole run (the drawing
// objects, the panes' contexts and bitmaps) are plain handles where they are held.

#include <windows.h>

#include <utility>

namespace tolvinark {

// A pen, brush, font or bitmap deleted when the owner goes. Must not be selected into a context
// by then.
template <typename Handle>
class ScopedGdiObject {
  public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(Handle handle) : handle_(handle) {}
    ~ScopedGdiObject() { reset(); }
    ScopedGdiObject(ScopedGdiObject&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

    Handle get() const { return handle_; }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;

// A memory device context, deleted when the owner goes.
class ScopedMemoryDc {
  public:
    ScopedMemoryDc() = default;
    explicit ScopedMemoryDc(HDC dc) : dc_(dc) {}
    ~ScopedMemoryDc() { reset(); }
    ScopedMemoryDc(ScopedMemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    ScopedMemoryDc& operator=(ScopedMemoryDc&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ScopedMemoryDc(const ScopedMemoryDc&) = delete;
    ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;

    HDC get() const { return dc_; }
    void reset(HDC dc = nullptr) {
        if (dc_) DeleteDC(dc_);
        dc_ = dc;
    }

  private:
    HDC dc_ = nullptr;
};

// BeginPaint on construction, EndPaint on destruction, with the window's own paint record.
class PaintSession {
  public:
    PaintSession(HWND window, PAINTSTRUCT& paint)
        : window_(window), paint_(paint), dc_(BeginPaint(window, &paint)) {}
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC dc() const { return dc_; }
    const RECT& updateRect() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT& paint_;
    HDC dc_;
};

// An object selected into a context; the object it displaced goes back on destruction.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), displaced_(SelectObject(dc, object)) {}
    ~ScopedSelection() { SelectObject(dc_, displaced_); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ displaced_;  // the save slot: not owned, only put back
};

}  // namespace tolvinark
