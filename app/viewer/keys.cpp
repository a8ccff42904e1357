#include "app/viewer/keys.h"

#include <optional>

#include "app/viewer/copying.h"
#include "app/viewer/file_opening.h"
#include "app/viewer/list_pane.h"

namespace tolvinark {

namespace {

std::optional<ListMove> listKeyMove(WPARAM key) {
    switch (key) {
        case VK_DOWN: return ListMove::LineDown;
        case VK_UP: return ListMove::LineUp;
        case VK_NEXT: return ListMove::PageDown;
        case VK_PRIOR: return ListMove::PageUp;
        case VK_HOME: return ListMove::Top;
        case VK_END: return ListMove::Bottom;
        default: return std::nullopt;
    }
}

bool controlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

LRESULT onKeyDown(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<ListMove> move = listKeyMove(wParam)) {
        onListKey(app, *move);
        return 0;
    }
    // A printout reads the file's index and draws on the printer a new detail window lets go
    // of: until it is over, no key opens or closes a window.
    if (app.printing.busy) return DefWindowProcW(window, WM_KEYDOWN, wParam, lParam);
    switch (wParam) {
        case VK_RETURN: openMarkedRecord(app); return 0;
        case VK_ESCAPE:
            // The close box's road: the default procedure destroys the window, and its
            // WM_DESTROY lets go of the picture.
            if (app.detail.window) SendMessageW(app.detail.window, WM_CLOSE, 0, 0);
            return 0;
        case 'O':
            // The Open button's command reaches the main window, which owns the dialog's
            // message boxes.
            if (controlHeld()) return onOpenButton(app, app.mainWindow);
            break;
        case 'C':
        case VK_INSERT:
            if (controlHeld()) return onCopyKey(app, window);
            break;
    }
    return DefWindowProcW(window, WM_KEYDOWN, wParam, lParam);
}

}  // namespace tolvinark
