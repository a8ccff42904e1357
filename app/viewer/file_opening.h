#pragma once
// Opening a measurement file, by the Open button's dialog, from the command line or by a drop of
// files on the main window, and showing what came of it. Names arrive in UTF-16 and go on to the
// open operation in UTF-8.

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <optional>
#include <string>

#include "app/viewer/application_state.h"

namespace tolvinark {

// Prepares the open dialog's structure once at start; the filter index it starts with (3)
// names no filter pair, so the dialog picks one itself.
void prepareOpenDialog(ApplicationState& app);

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The open dialog: the chosen name in UTF-8, whatever its length, or nothing when the dialog
// was cancelled or failed. `dialog` stands in for GetOpenFileNameW in tests.
std::optional<std::string> askForFileName(ApplicationState& app,
                                          GetOpenFileNameFunction dialog = GetOpenFileNameW);

// The Open button: the open dialog, then the open operation on the chosen name. Cancelling the
// dialog changes nothing. `window` owns the message boxes.
LRESULT onOpenButton(ApplicationState& app, HWND window);

// The first paint after start with a file named on the command line: opens it; `window` owns
// the message boxes.
void openCommandLineFileNow(ApplicationState& app, HWND window);

// Files dropped on the main window or a pane: the first goes through the open operation as a
// name chosen in the open dialog would; the others are ignored. The drop is always released.
LRESULT onDropFiles(ApplicationState& app, HWND window, HDROP drop);

}  // namespace tolvinark
