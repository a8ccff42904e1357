#pragma once
// The wait cursor while something takes long without a message loop; the cursor before comes
// back when the owner goes.

#include <windows.h>

namespace tolvinark {

class WaitCursor {
  public:
    // The system's cursor is a resource number, the same in either character set.
    WaitCursor()
        : previous_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
};

}  // namespace tolvinark
