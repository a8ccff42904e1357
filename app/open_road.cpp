#include "app/open_road.h"

#include "app/command_line.h"
#include "app/detail_window_host.h"
#include "app/list_view.h"
#include "app/message_box.h"

namespace tolvinark {

namespace {

// Flags written anew before every call: OFN_EXPLORER, OFN_FILEMUSTEXIST, OFN_PATHMUSTEXIST and
// OFN_OVERWRITEPROMPT.
constexpr DWORD kOpenDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
static_assert(kOpenDialogFlags == 0x81802, "the open dialog's flags");

constexpr char kOpenDialogFilter[] = "Data Files (*.dst)\0*.dst\0All Files (*.*)\0*.*\0";

void showOpenResult(ApplicationState& app, HWND owner, const FileResult& result) {
    // Another file's list: a detail window of the old one would mix its record with the new
    // file's (the toggle and the export work from the current record).
    if (result.outcome == FileOutcome::Ok || result.outcome == FileOutcome::NoIndexMemory) {
        closeDetailWindow(app);
    }
    switch (result.outcome) {
        case FileOutcome::Ok: showLoadedFile(app); return;
        case FileOutcome::NoIndexMemory: showNoFile(app); break;
        case FileOutcome::WrongType:
        case FileOutcome::NoSuchRecord: break;
        case FileOutcome::FileMissing:
            showMessage(owner, result.message);
            PostQuitMessage(0);  // the program ends exactly as by the Exit button
            return;
    }
    if (!result.message.empty()) showMessage(owner, result.message);
}

}  // namespace

void prepareOpenDialog(ApplicationState& app) {
    OPENFILENAMEA& dialog = app.openDialog;
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = nullptr;  // the main window stays usable while the dialog is open
    dialog.hInstance = app.module;
    dialog.lpstrFilter = kOpenDialogFilter;
    dialog.nFilterIndex = 3;
    dialog.lpstrFile = app.fileNameBuffer;
    dialog.nMaxFile = sizeof(app.fileNameBuffer);
}

LRESULT onOpenButton(ApplicationState& app, HWND window) {
    app.openDialog.Flags = kOpenDialogFlags;
    if (GetOpenFileNameA(&app.openDialog)) {
        showOpenResult(app, window, openMeasurementFile(app.data, app.fileNameBuffer));
    }
    return 0;
}

void openCommandLineFileNow(ApplicationState& app, HWND window) {
    showOpenResult(app, window, openCommandLineFile(app.data, app.commandLineFile));
}

}  // namespace tolvinark
