#include "app/viewer/file_opening.h"

#include <string>

#include "app/viewer/command_line.h"
#include "app/viewer/detail_window.h"
#include "app/viewer/list_view.h"
#include "app/win32/message_box.h"
#include "data/file_names.h"

namespace tolvinark {

namespace {

// Flags written anew before every call: OFN_EXPLORER, OFN_FILEMUSTEXIST, OFN_PATHMUSTEXIST and
// OFN_OVERWRITEPROMPT.
constexpr DWORD kOpenDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
static_assert(kOpenDialogFlags == 0x81802, "the open dialog's flags");

constexpr wchar_t kOpenDialogFilter[] = L"Data Files (*.dst)\0*.dst\0All Files (*.*)\0*.*\0";

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
            showMessage(owner, result.message, result.name);
            PostQuitMessage(0);  // the program ends exactly as by the Exit button
            return;
    }
    if (!result.message.empty()) showMessage(owner, result.message);
}

// Gives the drop back to the system however its handling ends.
class DropRelease {
  public:
    explicit DropRelease(HDROP drop) : drop_(drop) {}
    ~DropRelease() { DragFinish(drop_); }
    DropRelease(const DropRelease&) = delete;
    DropRelease& operator=(const DropRelease&) = delete;

  private:
    HDROP drop_;
};

// The dropped file `index` in full, whatever its length; empty when there is none.
std::wstring droppedFile(HDROP drop, UINT index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) return {};
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, name.data(), length + 1);
    name.resize(copied);
    return name;
}

}  // namespace

void prepareOpenDialog(ApplicationState& app) {
    OPENFILENAMEW& dialog = app.openDialog;
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = nullptr;  // the main window stays usable while the dialog is open
    dialog.hInstance = app.module;
    dialog.lpstrFilter = kOpenDialogFilter;
    dialog.nFilterIndex = 3;
    dialog.lpstrFile = app.fileNameBuffer.data();
    dialog.nMaxFile = static_cast<DWORD>(app.fileNameBuffer.size());  // in UTF-16 units
}

std::optional<std::string> askForFileName(ApplicationState& app, GetOpenFileNameFunction dialog) {
    app.openDialog.Flags = kOpenDialogFlags;
    if (!dialog(&app.openDialog)) return std::nullopt;
    return fileNameFromWide(app.fileNameBuffer.data());
}

LRESULT onOpenButton(ApplicationState& app, HWND window) {
    if (const std::optional<std::string> name = askForFileName(app)) {
        showOpenResult(app, window, openMeasurementFile(app.data, *name));
    }
    return 0;
}

void openCommandLineFileNow(ApplicationState& app, HWND window) {
    showOpenResult(app, window, openCommandLineFile(app.data, app.commandLineFile));
}

LRESULT onDropFiles(ApplicationState& app, HWND window, HDROP drop) {
    const DropRelease release(drop);
    if (app.detail.window && window == app.detail.window) return 0;  // it takes no drops
    const std::wstring name = droppedFile(drop, 0);
    if (!name.empty()) {
        showOpenResult(app, app.mainWindow, openMeasurementFile(app.data, fileNameFromWide(name)));
    }
    return 0;
}

}  // namespace tolvinark
