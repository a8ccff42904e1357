#pragma once
// The viewer's keys, the same in the main window, its panes and the detail window: the list's
// keys move the marked row, Enter opens its record, Escape closes the detail window, Ctrl+O is
// the Open button, Ctrl+C and Ctrl+Insert copy. No key prints.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

LRESULT onKeyDown(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace tolvinark
