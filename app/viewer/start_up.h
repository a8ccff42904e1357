#pragma once
// The end of the viewer's start-up: a start that failed, and the message loop of one that did
// not.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

inline constexpr int kStartFailedExitCode = 1;

// After the window class, the main window, a drawing object or a pane could not be made: destroys
// what was made of the main window, tells the user in a message box captioned with the program
// title and gives the exit code. The application state must be detached from the window
// procedure first.
int endFailedStart(ApplicationState& app);

using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);

// Translates and dispatches messages until the quit message, whose parameter (always 0) is the
// exit code. A failure of `getMessage` ends the loop too, with exit code 0, as the Exit button
// does.
int runMessageLoop(GetMessageFunction getMessage = GetMessageW);

}  // namespace tolvinark
