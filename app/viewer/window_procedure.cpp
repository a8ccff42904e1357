#include "app/viewer/window_procedure.h"

#include <windowsx.h>

#include "app/viewer/accessibility.h"
#include "app/viewer/accessible_contents.h"
#include "app/viewer/detail_window.h"
#include "app/viewer/excel_export.h"
#include "app/viewer/file_opening.h"
#include "app/viewer/keys.h"
#include "app/viewer/list_pane.h"
#include "app/viewer/paint.h"
#include "app/viewer/printing.h"

namespace tolvinark {

namespace {

ApplicationState* attachedState = nullptr;

// The Exit button and the main window's end both end the program: the quit message, whose
// parameter is the exit code. Nothing is released first; the process end frees it all.
LRESULT onExitButton() {
    PostQuitMessage(0);
    return 0;
}

LRESULT onMainWindowDestroyed() {
    PostQuitMessage(0);
    return 0;
}

// The detail window going by its close box or with its owner, or a pane going with the main
// window.
LRESULT onOtherWindowDestroyed(ApplicationState& app, HWND window) {
    accessibleWindowGone(app, window);
    closeDetailWindow(app, window);
    return 0;
}

// Right clicks print: the detail window its record, the list pane the list; a right click
// anywhere else does nothing. A right click while a printout runs does nothing either.
LRESULT onRButtonDown(ApplicationState& app, HWND window) {
    if (app.detail.window && window == app.detail.window) {
        printProtocol(app, window, app.data.currentRecord, app.detail.shownMode);
    } else if (window == app.listPane.window) {
        printList(app, window);
    }
    return 0;
}

// A pressed button takes the keyboard focus; the window it stands in takes it back, or its
// keys would go to the button. Before the command, which may destroy both.
void takeFocusFromButton(HWND window, HWND button) {
    if (button && GetFocus() == button) SetFocus(window);
}

}  // namespace

void attachApplicationState(ApplicationState* app) {
    attachedState = app;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!attachedState) return DefWindowProcW(window, message, wParam, lParam);
    ApplicationState& app = *attachedState;

    // Buttons have no control identifiers: a command names its button by handle, in lParam.
    // Mouse moves and presses never reach the default procedure; a double click has no case, so
    // its second press does nothing.
    switch (message) {
        case WM_PAINT: return onPaint(app, window, wParam, lParam);
        case WM_COMMAND: {
            const HWND button = reinterpret_cast<HWND>(lParam);
            takeFocusFromButton(window, button);
            if (button == app.exitButton) return onExitButton();
            // A printout reads the file's index and draws on the printer the detail window's
            // build lets go of: none of the other buttons acts until it is over.
            if (app.printing.busy) return 0;
            if (button == app.openButton) return onOpenButton(app, window);
            // No detail window, no buttons: their handles are none then.
            if (button && button == app.detail.seriesToggleButton) return onSeriesToggle(app);
            if (button && button == app.detail.excelButton) return onExcelButton(app);
            break;
        }
        case WM_VSCROLL: return onVScroll(app, wParam);
        case WM_MOUSEWHEEL: return onMouseWheel(app, window, wParam, lParam);
        case WM_MOUSEMOVE:
            if (window == app.listPane.window) return onListMouseMove(app, GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            if (window == app.listPane.window && app.data.fileLoaded && !app.printing.busy) {
                return onRecordClick(app, GET_Y_LPARAM(lParam));
            }
            return 0;
        case WM_RBUTTONDOWN: return onRButtonDown(app, window);
        case WM_DROPFILES: return onDropFiles(app, window, reinterpret_cast<HDROP>(wParam));
        case WM_KEYDOWN: return onKeyDown(app, window, wParam, lParam);
        case WM_GETOBJECT: return onGetObject(app, window, wParam, lParam);
        case kOpenRecordRequest: return onOpenRecordRequest(app, wParam, lParam);
        case WM_CLOSE:
            // The window a printout's dialog or progress window belongs to stays until it is
            // over; the Exit button cancels a printout and ends the program.
            if (app.printing.busy) return 0;
            break;
        case WM_DESTROY:
            if (window == app.mainWindow) return onMainWindowDestroyed();
            return onOtherWindowDestroyed(app, window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tolvinark
