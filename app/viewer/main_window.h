#pragma once
// Start-up of the viewer: the window class, the main window with its panes and buttons, each
// pane's off-screen picture.

#include <optional>

#include "app/viewer/application_state.h"
#include "app/viewer/start_up.h"

namespace tolvinark {

inline constexpr wchar_t kWindowClassName[] = L"SimpleWinClass";

// Registers the class that the main window, the panes and the detail window share. False when
// it cannot be registered.
bool registerWindowClass(const ApplicationState& app);

// Creates the main window (visible at once), then the list pane, info pane, Exit button, Open
// button and header pane in that order; the panes stay hidden until a file is open. Stops at
// the first window or pane picture that cannot be made and gives back that step; nothing when
// all were made.
std::optional<StartFailure> createMainWindow(ApplicationState& app);

}  // namespace tolvinark
