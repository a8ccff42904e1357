#pragma once
// Owners of the GDI resources the viewer gives back: objects and memory contexts it deletes,
// paint sessions it ends, selections it undoes. The drawing objects, kept for the whole run, are
// plain handles where they are held.

#include <windows.h>

#include "data/scoped_handle.h"

namespace tolvinark {

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A pen, brush, font or bitmap deleted when the owner goes. Must not be selected into a context
// by then.
template <typename Handle>
using ScopedGdiObject = ScopedHandle<Handle, DeleteGdiObject>;

using ScopedBitmap = ScopedGdiObject<HBITMAP>;

// A memory device context, deleted when the owner goes.
using ScopedMemoryDc = ScopedHandle<HDC, DeleteMemoryDc>;

// A printer context of the print dialog, deleted when the owner goes. Must have nothing of the
// program's selected into it by then.
struct DeletePrinterDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using ScopedPrinterDc = ScopedHandle<HDC, DeletePrinterDc>;

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
