#include "app/viewer/paint.h"

#include "app/viewer/detail_window.h"
#include "app/viewer/file_opening.h"

namespace tolvinark {

namespace {

void showButtonNow(HWND button) {
    ShowWindow(button, SW_SHOWNORMAL);
    UpdateWindow(button);
}

}  // namespace

LRESULT onPaint(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam) {
    if (app.commandLineFilePending) {
        // Cleared first: the paints that arrive while a message box of the open is shown are
        // ordinary ones. The window stays invalid and is painted by the next WM_PAINT.
        app.commandLineFilePending = false;
        openCommandLineFileNow(app, window);
        return 0;
    }

    showButtonNow(app.exitButton);
    showButtonNow(app.openButton);
    copyPaneToScreen(app.infoPane);
    if (app.data.fileLoaded) {
        copyPaneToScreen(app.headerPane);
        copyPaneToScreen(app.listPane);
        copyDetailWindowToScreen(app);
    }
    return DefWindowProcW(window, WM_PAINT, wParam, lParam);
}

}  // namespace tolvinark
