#pragma once
// The viewer's keys, the same in the main window, its panes and the detail window: the list's
// keys move the highlighted row, Enter opens its record, Escape closes the detail window,
// Ctrl+O is the Open button, Ctrl+C and Ctrl+Insert copy. No key prints.

#include <windows.h>

#include "app/viewer/application_state.h"
#include "app/viewer/viewer_input.h"

namespace tolvinark {

// The input a WM_KEYDOWN of `wParam` is, with Ctrl as it is held now.
ViewerInput keyDownInput(WPARAM wParam);

// Acts on the key `key` (keyDownInput) of a WM_KEYDOWN.
LRESULT onKeyDown(ApplicationState& app, HWND window, ViewerInput key, WPARAM wParam,
                  LPARAM lParam);

}  // namespace tolvinark
