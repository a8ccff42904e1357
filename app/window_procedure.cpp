#include "app/window_procedure.h"

#include <windowsx.h>

#include "app/detail_window_host.h"
#include "app/list_messages.h"
#include "app/open_road.h"
#include "app/paint.h"

namespace tolvinark {

namespace {

ApplicationState* attachedState = nullptr;

// Buttons have no control identifiers: a command is told apart by the button's handle alone.
LRESULT onCommand(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    const HWND button = reinterpret_cast<HWND>(lParam);
    if (button == app.exitButton) {
        PostQuitMessage(0);
        return 0;
    }
    if (button == app.openButton) {
        onOpenButton(app, window);
        return 0;
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

// Right clicks print the list or the shown record; printing is not built yet.
LRESULT onRButtonDown(ApplicationState&, HWND) {
    return 0;
}

LRESULT onDestroy(ApplicationState& app, HWND window) {
    if (window == app.mainWindow) {
        PostQuitMessage(0);
    } else {
        closeDetailWindow(app);
    }
    return 0;
}

}  // namespace

void attachApplicationState(ApplicationState* app) {
    attachedState = app;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!attachedState) return DefWindowProcW(window, message, wParam, lParam);
    ApplicationState& app = *attachedState;

    // Mouse moves and button presses never reach the default procedure; a double click has no
    // case of its own, so its second press acts as nothing more.
    switch (message) {
        case WM_PAINT: return onPaint(app, window, wParam, lParam);
        case WM_COMMAND: return onCommand(app, window, wParam, lParam);
        case WM_VSCROLL: return onVScroll(app, wParam);
        case WM_MOUSEWHEEL: return onMouseWheel(app, window, wParam, lParam);
        case WM_MOUSEMOVE: return onMouseMove(app, window, GET_Y_LPARAM(lParam));
        case WM_LBUTTONDOWN: return onLButtonDown(app, window, GET_Y_LPARAM(lParam));
        case WM_RBUTTONDOWN: return onRButtonDown(app, window);
        case WM_DESTROY: return onDestroy(app, window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tolvinark
