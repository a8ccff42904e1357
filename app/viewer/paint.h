#pragma once
// WM_PAINT for every window of the class: the pictures are finished in the panes' bitmaps, so
// painting only copies them to the screen.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

LRESULT onPaint(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace tolvinark
