#pragma once
// The end of the viewer's start-up: a start that failed, and the message loop of one that did
// not.

#include <windows.h>

#include <string>

#include "app/viewer/application_state.h"

namespace tolvinark {

inline constexpr int kStartFailedExitCode = 1;

// The start-up steps that can fail, in their order.
enum class StartStep {
    DrawingObjects,
    WindowClass,
    MainWindow,
    ListPane,
    ListPanePicture,
    InfoPane,
    InfoPanePicture,
    ExitButton,
    OpenButton,
    HeaderPane,
    HeaderPanePicture,
};

// A step that failed, with the system's error code just after it.
struct StartFailure {
    StartStep step;
    DWORD error;
};

// Called right after the failed call: the step and GetLastError().
StartFailure failedAt(StartStep step);

// The one line a failed start writes to the debug output, naming the step and the error code:
// "tolvinark: start-up failed: main window (CreateWindowExW), error 1407\n".
std::wstring startFailureLine(const StartFailure& failure);

// After a start-up step failed: writes its line to the debug output (a debugger shows it; Wine 8
// logs it with WINEDEBUG=warn+seh), destroys what was made of the main window, tells the user in
// a message box captioned with the program title and gives the exit code. The application state
// must be detached from the window procedure first.
int endFailedStart(ApplicationState& app, const StartFailure& failure);

using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);

// Translates and dispatches messages until the quit message, whose parameter (always 0) is the
// exit code. A failure of `getMessage` ends the loop too, with exit code 0, as the Exit button
// does.
int runMessageLoop(GetMessageFunction getMessage = GetMessageW);

}  // namespace tolvinark
