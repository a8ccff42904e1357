#include "app/viewer/keys.h"

#include "app/viewer/copying.h"
#include "app/viewer/file_opening.h"
#include "app/viewer/list_pane.h"

namespace tolvinark {

static_assert(virtual_key::kReturn == VK_RETURN && virtual_key::kEscape == VK_ESCAPE &&
                  virtual_key::kPageUp == VK_PRIOR && virtual_key::kPageDown == VK_NEXT &&
                  virtual_key::kEnd == VK_END && virtual_key::kHome == VK_HOME &&
                  virtual_key::kUp == VK_UP && virtual_key::kDown == VK_DOWN &&
                  virtual_key::kInsert == VK_INSERT,
              "the platform's virtual-key codes");

ViewerInput keyDownInput(WPARAM wParam) {
    return keyInput(static_cast<unsigned>(wParam), GetKeyState(VK_CONTROL) < 0);
}

LRESULT onKeyDown(ApplicationState& app, HWND window, ViewerInput key, WPARAM wParam,
                  LPARAM lParam) {
    switch (key) {
        case ViewerInput::ListKey:
            onListKey(app, *listKeyMove(static_cast<unsigned>(wParam)));
            return 0;
        case ViewerInput::EnterKey: openHighlightedRecord(app); return 0;
        case ViewerInput::EscapeKey:
            // The close box's road: the default procedure destroys the window, and its
            // WM_DESTROY lets go of the picture.
            if (app.detail.window) SendMessageW(app.detail.window, WM_CLOSE, 0, 0);
            return 0;
        case ViewerInput::OpenKey:
            // The Open button's command reaches the main window, which owns the dialog's
            // message boxes.
            return onOpenButton(app, app.mainWindow);
        case ViewerInput::CopyKey: return onCopyKey(app, window);
        default: return DefWindowProcW(window, WM_KEYDOWN, wParam, lParam);
    }
}

}  // namespace tolvinark
