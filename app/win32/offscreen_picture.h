#pragma once
// The off-screen picture of a window (a pane or the detail window): a memory context and a
// bitmap of the window's client size, both given back when the picture goes. Every change is
// drawn into the picture; painting only copies it to the screen. The bitmap is selected into the
// context only while it is drawn into or copied.

#include <windows.h>

#include "app/win32/gdi_handles.h"

namespace tolvinark {

class OffscreenPicture {
  public:
    // Makes the memory context and a bitmap of `width` x `height` pixels, both compatible with
    // `screen`, in place of any made before. False, holding nothing, when either cannot be made.
    bool make(HDC screen, int width, int height);
    bool made() const { return bitmap_.get() != nullptr; }

    HDC context() const { return context_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }

    // Copies the part of the picture that the paint needs to the painted window.
    void copyToScreen(const PaintSession& paint) const;

  private:
    // Members go in reverse order: the context before the bitmap.
    ScopedBitmap bitmap_;
    ScopedMemoryDc context_;
};

}  // namespace tolvinark
