#pragma once
// The list pane's share of the window procedure: scrolling, the wheel, the row under the
// pointer and the record click. Each returns the message's result.

#include <windows.h>

#include "app/application_state.h"

namespace tolvinark {

LRESULT onVScroll(ApplicationState& app, WPARAM wParam);
LRESULT onMouseWheel(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);
// The pointer over the list pane, y in pixels of its client area: highlights the row there.
LRESULT onListMouseMove(ApplicationState& app, int y);
// A left click on the list pane with a file loaded, y as above: reads the record of that row.
LRESULT onRecordClick(ApplicationState& app, int y);

}  // namespace tolvinark
