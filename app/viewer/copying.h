#pragma once
// Ctrl+C and Ctrl+Insert: the main window copies the whole list of the open file, the detail
// window the measurement it shows, with its picture. A copy moves neither the highlight, the rows
// nor the detail window; a failed one tells why in a message box and leaves the clipboard as it
// was.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

// The copy key pressed in `window`: the detail window's measurement, or from the main window and
// its panes the list; with no file open nothing.
LRESULT onCopyKey(ApplicationState& app, HWND window);

}  // namespace tolvinark
