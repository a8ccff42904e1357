#pragma once
// The wait cursor while something takes long without a message loop; the cursor before comes
// back when the owner goes.

#include <windows.h>

namespace tolvinark {

class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}  // a number, no text
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
};

}  // namespace tolvinark
