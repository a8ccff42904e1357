// tolvinark.exe: the viewer's start-up and message loop.

#include <windows.h>

#include <cstring>

#include "app/application_state.h"
#include "app/command_line.h"
#include "app/drawing_objects.h"
#include "app/main_window.h"
#include "app/open_road.h"
#include "app/start_up.h"
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

int runViewer() {
    ApplicationState app;
    readCommandLine(app, GetCommandLineA());
    app.module = GetModuleHandleW(nullptr);
    app.drawing = createDrawingObjects();
    prepareOpenDialog(app);

    attachApplicationState(&app);
    if (!allDrawingObjectsMade(app.drawing) || !registerWindowClass(app) ||
        !createMainWindow(app)) {
        // Nothing may act on the half-made windows: no paint opens a file, no end posts a quit.
        attachApplicationState(nullptr);
        return endFailedStart(app);
    }
    const int exitCode = runMessageLoop();
    attachApplicationState(nullptr);
    return exitCode;
}

}  // namespace
}  // namespace tolvinark

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return tolvinark::runViewer();
}
