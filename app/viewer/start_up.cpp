#include "app/viewer/start_up.h"

#include "app/win32/message_box.h"
#include "data/fixed_texts.h"

namespace tolvinark {

int endFailedStart(ApplicationState& app) {
    if (app.mainWindow) DestroyWindow(app.mainWindow);
    app.mainWindow = nullptr;
    showMessage(nullptr, texts::kMessageStartFailed);
    return kStartFailedExitCode;
}

int runMessageLoop(GetMessageFunction getMessage) {
    MSG message{};
    for (;;) {
        const BOOL result = getMessage(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        if (result == -1) return 0;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace tolvinark
