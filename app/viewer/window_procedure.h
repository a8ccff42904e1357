#pragma once
// The one window procedure of every window of the class "SimpleWinClass": the main window, its
// three panes and the detail window.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

// The state the procedure hands to its handlers; set before the first window is made. Until
// then, and after it is cleared, every message goes to the default procedure.
void attachApplicationState(ApplicationState* app);

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tolvinark
