#pragma once
// Opening a measurement file, by the Open button's dialog or from the command line, and showing
// what came of it.

#include <windows.h>

#include "app/application_state.h"

namespace tolvinark {

// Prepares the open dialog's structure once at start; the filter index it starts with (3)
// names no filter pair, so the dialog picks one itself.
void prepareOpenDialog(ApplicationState& app);

// The Open button: the open dialog, then the open operation on the chosen name. Cancelling the
// dialog changes nothing. `window` owns the message boxes.
LRESULT onOpenButton(ApplicationState& app, HWND window);

// The first paint after start with a file named on the command line: opens it; `window` owns
// the message boxes.
void openCommandLineFileNow(ApplicationState& app, HWND window);

}  // namespace tolvinark
