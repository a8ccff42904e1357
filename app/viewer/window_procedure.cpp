#include "app/viewer/window_procedure.h"

#include <windowsx.h>

#include "app/viewer/accessibility.h"
#include "app/viewer/accessible_contents.h"
#include "app/viewer/busy_rule.h"
#include "app/viewer/detail_window.h"
#include "app/viewer/excel_export.h"
#include "app/viewer/file_opening.h"
#include "app/viewer/keys.h"
#include "app/viewer/list_pane.h"
#include "app/viewer/paint.h"
#include "app/viewer/printing.h"
#include "app/win32/message_box.h"

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
// anywhere else does nothing.
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

// Buttons have no control identifiers: a command names its button by handle, in lParam. No
// detail window, no buttons of its own: their handles are none then.
ViewerInput commandInput(const ApplicationState& app, HWND button) {
    if (!button) return ViewerInput::Other;
    if (button == app.exitButton) return ViewerInput::ExitButton;
    if (button == app.openButton) return ViewerInput::OpenButton;
    if (button == app.detail.seriesToggleButton) return ViewerInput::SeriesToggle;
    if (button == app.detail.excelButton) return ViewerInput::ExcelButton;
    return ViewerInput::Other;
}

ViewerInput inputOf(const ApplicationState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return ViewerInput::Paint;
        case WM_COMMAND: return commandInput(app, reinterpret_cast<HWND>(lParam));
        case WM_VSCROLL:
        case WM_MOUSEWHEEL: return ViewerInput::Scroll;
        case WM_MOUSEMOVE: return ViewerInput::PointerMove;
        case WM_LBUTTONDOWN: return ViewerInput::RecordClick;
        case WM_RBUTTONDOWN: return ViewerInput::RightClick;
        case WM_DROPFILES: return ViewerInput::Drop;
        case WM_KEYDOWN: return keyDownInput(wParam);
        case WM_CLOSE: return ViewerInput::Close;
        case WM_GETOBJECT: return ViewerInput::AccessibleObject;
        case kOpenRecordRequest: return ViewerInput::AccessibleAction;
        case WM_DESTROY: return ViewerInput::Destroy;
        default: return ViewerInput::Other;
    }
}

BusyState busyNow(const ApplicationState& app) {
    return {app.printing.busy, messageBoxUp()};
}

// The answer to a message the busy rule holds off: nothing is done. A drop is still given back
// to the system and a key still reaches the default procedure.
LRESULT heldOffAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DROPFILES: DragFinish(reinterpret_cast<HDROP>(wParam)); return 0;
        case WM_KEYDOWN: return DefWindowProcW(window, message, wParam, lParam);
        default: return 0;
    }
}

}  // namespace

void attachApplicationState(ApplicationState* app) {
    attachedState = app;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!attachedState) return DefWindowProcW(window, message, wParam, lParam);
    ApplicationState& app = *attachedState;

    if (message == WM_COMMAND) takeFocusFromButton(window, reinterpret_cast<HWND>(lParam));
    // A print dialog, a printout or a message box is up, and its modal loop handed this over.
    const ViewerInput input = inputOf(app, message, wParam, lParam);
    if (heldOff(input, busyNow(app))) return heldOffAnswer(window, message, wParam, lParam);

    // Mouse moves and presses never reach the default procedure; a double click has no case, so
    // its second press does nothing.
    switch (input) {
        case ViewerInput::Paint: return onPaint(app, window, wParam, lParam);
        case ViewerInput::ExitButton: return onExitButton();
        case ViewerInput::OpenButton: return onOpenButton(app, window);
        case ViewerInput::SeriesToggle: return onSeriesToggle(app);
        case ViewerInput::ExcelButton: return onExcelButton(app);
        case ViewerInput::Scroll:
            if (message == WM_VSCROLL) return onVScroll(app, wParam);
            return onMouseWheel(app, window, wParam, lParam);
        case ViewerInput::PointerMove:
            if (window == app.listPane.window) return onListMouseMove(app, GET_Y_LPARAM(lParam));
            return 0;
        case ViewerInput::RecordClick:
            if (window == app.listPane.window && app.data.fileLoaded) {
                return onRecordClick(app, GET_Y_LPARAM(lParam));
            }
            return 0;
        case ViewerInput::RightClick: return onRButtonDown(app, window);
        case ViewerInput::Drop: return onDropFiles(app, window, reinterpret_cast<HDROP>(wParam));
        case ViewerInput::ListKey:
        case ViewerInput::EnterKey:
        case ViewerInput::EscapeKey:
        case ViewerInput::OpenKey:
        case ViewerInput::CopyKey:
        case ViewerInput::OtherKey: return onKeyDown(app, window, input, wParam, lParam);
        case ViewerInput::AccessibleObject: return onGetObject(app, window, wParam, lParam);
        case ViewerInput::AccessibleAction: return onOpenRecordRequest(app, wParam, lParam);
        case ViewerInput::Destroy:
            if (window == app.mainWindow) return onMainWindowDestroyed();
            return onOtherWindowDestroyed(app, window);
        case ViewerInput::Close:
        case ViewerInput::Other:
        case ViewerInput::Count: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tolvinark
