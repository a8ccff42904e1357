#include "app/viewer/excel_export.h"

// after windows.h, which it needs
#include <shellapi.h>

#include <string>

#include "app/win32/message_box.h"
#include "data/file_access.h"
#include "data/file_names.h"
#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "output/dif_export.h"

namespace tolvinark {

LRESULT onExcelButton(ApplicationState& app) {
    // An open of another file closes the detail window, so the current record is still the
    // one the window shows.
    const FileRecord& record = app.data.currentRecord;
    const std::string content =
        difExportContent(record, app.seriesSelector, dateTimeHeader(record).view(),
                         concentrationLine(record, app.detail.shownMode).view());
    const std::string fileName(kExportFileName);
    if (!replaceFileContents(fileName, content)) {
        showMessage(app.mainWindow, texts::kMessageExportFailed);
        return 0;
    }
    // No verb: the default action of the file's type. Its outcome is the shell's to report.
    ShellExecuteW(nullptr, nullptr, fileNameToWide(fileName).c_str(), nullptr, nullptr, 0);
    return 0;
}

}  // namespace tolvinark
