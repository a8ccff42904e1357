#pragma once
// The detail window of the record read last: built for a list click or a series toggle,
// always anew at the old window's place, drawn once into its own picture, closed by the user,
// by a failed record click or by the open of another file.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

// Builds the detail window for the current record and the series selector. An open detail
// window is closed first and the new one takes its screen position; the first one, and the
// first after a close, stands at (20, 100).
void buildDetailWindow(ApplicationState& app);

// Releases the detail window's picture and destroys the window, unless it is `beingDestroyed`
// (its own WM_DESTROY). Does nothing while no detail window is open.
void closeDetailWindow(ApplicationState& app, HWND beingDestroyed = nullptr);

// WM_PAINT's share: copies the invalid part of the detail picture to the open detail window.
void copyDetailWindowToScreen(ApplicationState& app);

// The series toggle button: the other series, same record, same place. The window that
// received the command and the button that sent it are gone when this returns.
LRESULT onSeriesToggle(ApplicationState& app);

}  // namespace tolvinark
