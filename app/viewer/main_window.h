#pragma once
// Start-up of the viewer: the window class, the main window with its panes and buttons, each
// pane's off-screen picture.

#include "app/viewer/application_state.h"

namespace tolvinark {

inline constexpr wchar_t kWindowClassName[] = L"SimpleWinClass";

// Registers the class that the main window, the panes and the detail window share. False when
// it cannot be registered.
bool registerWindowClass(const ApplicationState& app);

// Creates the main window (visible at once), then the list pane, info pane, Exit button, Open
// button and header pane in that order; the panes stay hidden until a file is open. Stops and
// returns false when the main window, a pane or a pane's picture cannot be made.
bool createMainWindow(ApplicationState& app);

}  // namespace tolvinark
