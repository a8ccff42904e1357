#include "app/viewer/start_up.h"

#include "app/win32/message_box.h"
#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

// What was being made, and by which call where one call makes it.
const wchar_t* stepName(StartStep step) {
    switch (step) {
        case StartStep::DrawingObjects:
            return L"drawing objects (CreatePen, CreateSolidBrush, CreateFontIndirectW)";
        case StartStep::WindowClass: return L"window class (RegisterClassW)";
        case StartStep::MainWindow: return L"main window (CreateWindowExW)";
        case StartStep::ListPane: return L"list pane (CreateWindowExW)";
        case StartStep::ListPanePicture: return L"list pane's picture";
        case StartStep::InfoPane: return L"info pane (CreateWindowExW)";
        case StartStep::InfoPanePicture: return L"info pane's picture";
        case StartStep::ExitButton: return L"Exit button (CreateWindowExW)";
        case StartStep::OpenButton: return L"Open button (CreateWindowExW)";
        case StartStep::HeaderPane: return L"header pane (CreateWindowExW)";
        case StartStep::HeaderPanePicture: return L"header pane's picture";
    }
    return L"?";
}

}  // namespace

StartFailure failedAt(StartStep step) {
    return StartFailure{step, GetLastError()};
}

std::wstring startFailureLine(const StartFailure& failure) {
    return std::wstring(L"tolvinark: start-up failed: ") + stepName(failure.step) + L", error " +
           std::to_wstring(failure.error) + L"\n";
}

int endFailedStart(ApplicationState& app, const StartFailure& failure) {
    OutputDebugStringW(startFailureLine(failure).c_str());
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
