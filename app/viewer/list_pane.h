#pragma once
// The list pane's share of the window procedure: scrolling, the wheel, the row under the
// pointer and the record click, each giving the message's result; and the list's keys, which
// the key handler (keys.h) calls.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

LRESULT onVScroll(ApplicationState& app, WPARAM wParam);
LRESULT onMouseWheel(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);
// The pointer over the list pane, y in pixels of its client area: highlights the row there.
LRESULT onListMouseMove(ApplicationState& app, int y);
// A left click on the list pane with a file loaded, y as above: reads the record of that row.
LRESULT onRecordClick(ApplicationState& app, int y);
// A list key: the highlighted row moves, the rows scroll where it would leave them.
void onListKey(ApplicationState& app, ListMove move);
// Opens the highlighted row's record as a click on that row would; without a highlight nothing.
void openHighlightedRecord(ApplicationState& app);
// Opens record `recordNumber` of the list as a click on its row would.
void openListedRecord(ApplicationState& app, std::uint32_t recordNumber);

}  // namespace tolvinark
