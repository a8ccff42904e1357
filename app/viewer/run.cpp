#include "app/viewer/run.h"

#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/viewer/application_state.h"
#include "app/viewer/command_line.h"
#include "app/viewer/file_opening.h"
#include "app/viewer/main_window.h"
#include "app/viewer/start_up.h"
#include "app/viewer/window_procedure.h"
#include "app/win32/drawing_objects.h"
#include "data/file_names.h"

namespace tolvinark {
namespace {

// A name for the first paint to open; it also stands in the open dialog's name field. The line is
// read in UTF-16, so a name in any script arrives whole.
void readCommandLine(ApplicationState& app, const wchar_t* commandLine) {
    app.commandLineFilePending = false;
    const std::optional<std::string> name = fileArgument(fileNameFromWide(commandLine));
    if (!name) return;
    app.commandLineFile = *name;
    const std::wstring wideName = fileNameToWide(*name);
    if (wideName.size() < app.fileNameBuffer.size()) {
        std::copy(wideName.begin(), wideName.end(), app.fileNameBuffer.begin());
        app.fileNameBuffer[wideName.size()] = L'\0';
    }
    app.commandLineFilePending = true;
}

// The viewer's windows hand screen readers COM objects, served on this thread from its message
// loop.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

}  // namespace

int runViewer() {
    ApplicationState app;
    const ComApartment apartment;
    readCommandLine(app, GetCommandLineW());
    app.module = GetModuleHandleW(nullptr);
    app.drawing = createDrawingObjects();
    prepareOpenDialog(app);

    attachApplicationState(&app);
    std::optional<StartFailure> failure;
    if (!allDrawingObjectsMade(app.drawing)) {
        failure = failedAt(StartStep::DrawingObjects);
    } else if (!registerWindowClass(app)) {
        failure = failedAt(StartStep::WindowClass);
    } else {
        failure = createMainWindow(app);
    }
    if (failure) {
        // Nothing may act on the half-made windows: no paint opens a file, no end posts a quit.
        attachApplicationState(nullptr);
        return endFailedStart(app, *failure);
    }
    const int exitCode = runMessageLoop();
    attachApplicationState(nullptr);
    return exitCode;
}

}  // namespace tolvinark
