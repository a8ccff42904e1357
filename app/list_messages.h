#pragma once
// The list pane's share of the window procedure: scrolling, the wheel, the row under the
// pointer and the record click. Each returns the message's result.

#include <windows.h>

#include "app/application_state.h"

namespace tolvinark {

LRESULT onVScroll(ApplicationState& app, WPARAM wParam);
LRESULT onMouseWheel(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);
// y in pixels of the client area of `window`.
LRESULT onMouseMove(ApplicationState& app, HWND window, int y);
LRESULT onLButtonDown(ApplicationState& app, HWND window, int y);

}  // namespace tolvinark
