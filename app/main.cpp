// tolvinark.exe: the viewer's start-up and message loop.

#include <windows.h>

#include <cstring>

#include "app/application_state.h"
#include "app/command_line.h"
#include "app/drawing_objects.h"
#include "app/main_window.h"
#include "app/open_road.h"
#include "app/window_procedure.h"

namespace tolvinark {
namespace {

// A name for the first paint to open; one that fits also stands in the open dialog's buffer.
void readCommandLine(ApplicationState& app, const char* commandLine) {
    app.commandLineFilePending = false;
    const std::optional<std::string> name = fileArgument(commandLine);
    if (!name) return;
    app.commandLineFile = *name;
    if (name->size() <= kMaxFileNameLength) {
        std::memcpy(app.fileNameBuffer, name->data(), name->size());
        app.fileNameBuffer[name->size()] = '\0';
    }
    app.commandLineFilePending = true;
}

// Runs until the quit message; its parameter, always 0, is the exit code.
int runMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int runViewer() {
    ApplicationState app;
    readCommandLine(app, GetCommandLineA());
    app.module = GetModuleHandleW(nullptr);
    app.drawing = createDrawingObjects();
    prepareOpenDialog(app);

    attachApplicationState(&app);
    registerWindowClass(app);
    createMainWindow(app);
    const int exitCode = runMessageLoop();
    attachApplicationState(nullptr);
    return exitCode;
}

}  // namespace
}  // namespace tolvinark

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return tolvinark::runViewer();
}
