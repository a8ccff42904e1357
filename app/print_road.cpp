#include "app/print_road.h"

#include <optional>

#include "app/drawing_objects.h"
#include "app/gdi_canvas.h"
#include "app/gdi_handles.h"
#include "app/print_state.h"
#include "output/list_printout.h"
#include "output/print_geometry.h"
#include "output/protocol_printout.h"
#include "output/scaled_canvas.h"

namespace tolvinark {

namespace {

#if !defined(_WIN64)
static_assert(sizeof(PRINTDLGA) == 66, "the 32-bit print dialog record");
#endif

// Marks printing as under way for as long as it lives.
class BusyPrinting {
  public:
    explicit BusyPrinting(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyPrinting() { busy_ = false; }
    BusyPrinting(const BusyPrinting&) = delete;
    BusyPrinting& operator=(const BusyPrinting&) = delete;

  private:
    bool& busy_;
};

// The print dialog. Only its size, owner, module and flags are written; the rest is what the last
// dialog gave back, so it opens on the printer chosen last. True when a printer is now held.
bool askForPrinter(ApplicationState& app, HWND owner) {
    PRINTDLGA& dialog = app.printing.dialog;
    dialog.lStructSize = sizeof(PRINTDLGA);
    dialog.hwndOwner = owner;
    dialog.hInstance = app.module;
    dialog.Flags = PD_RETURNDC;
    const bool accepted = PrintDlgA(&dialog) != 0;
    // The held printer owns the context from here; the record keeps no copy of it.
    HDC fresh = accepted ? dialog.hDC : nullptr;
    dialog.hDC = nullptr;
    if (!fresh) {
        app.printing.printer.dialogCancelled();
        return false;
    }
    app.printing.printer.dialogAccepted(fresh);
    return true;
}

// One document of `pageCount` pages on the held printer; `drawPage(canvas, pageNumber)` draws
// each in layout units. A document or page the printer refuses ends the job there, abandoned.
template <typename DrawPage>
void printDocument(ApplicationState& app, std::uint32_t pageCount, DrawPage drawPage) {
    const HeldPrinter& printer = app.printing.printer;
    const HDC dc = printer.context();

    // The pages select the printer font and the thick pen; both are put back out of the context
    // when the document is done, so it never holds a font that a later dialog deletes.
    DrawingObjects objects = app.drawing;
    objects.printerFont = printer.font();
    std::optional<ScopedSelection> font;
    if (objects.printerFont) font.emplace(dc, objects.printerFont);
    const ScopedSelection pen(dc, objects.thickPen);
    GdiCanvas device(dc, objects);
    ScaledCanvas canvas(device, printer.caps());

    char documentName[] = "...";
    DOCINFOA document{};
    document.cbSize = sizeof(DOCINFOA);
    document.lpszDocName = documentName;
    if (StartDocA(dc, &document) <= 0) return;
    for (std::uint32_t page = 1; page <= pageCount; ++page) {
        if (StartPage(dc) <= 0) {
            AbortDoc(dc);
            return;
        }
        drawPage(canvas, page);
        if (EndPage(dc) <= 0) {
            AbortDoc(dc);
            return;
        }
    }
    EndDoc(dc);
}

ListPrintContent listPrintContent(const MeasurementData& data) {
    ListPrintContent content;
    content.entries = data.index.get();
    content.recordCount = data.index ? data.recordCount : 0;
    content.serialNumber = data.serialNumber;
    content.loadedFileName = data.loadedFileName;
    return content;
}

}  // namespace

void printList(ApplicationState& app, HWND owner) {
    if (app.printing.busy) return;
    const ListPrintContent content = listPrintContent(app.data);
    const std::uint32_t pageCount = listPageCount(content);
    if (listPrinterStep(pageCount) == PrinterStep::PrintNothing) return;

    const BusyPrinting busy(app.printing.busy);
    if (!askForPrinter(app, owner)) return;
    const PrintGeometry geometry = printGeometry(app.printing.printer.caps());
    printDocument(app, pageCount, [&](Canvas& canvas, std::uint32_t page) {
        drawListPage(canvas, content, geometry, page);
    });
}

void printProtocol(ApplicationState& app, HWND owner, const FileRecord& record,
                   std::uint16_t shownMode) {
    if (app.printing.busy) return;
    // Taken now: the print dialog dispatches messages, and a record click meanwhile would
    // overwrite the current record.
    const FileRecord shown = record;
    const std::uint32_t serialNumber = app.data.serialNumber;

    const BusyPrinting busy(app.printing.busy);
    if (app.printing.printer.protocolStep() == PrinterStep::AskForPrinter &&
        !askForPrinter(app, owner)) {
        return;
    }
    printDocument(app, 1, [&](Canvas& canvas, std::uint32_t) {
        drawProtocolPage(canvas, shown, shownMode, serialNumber);
    });
}

void forgetPrinterForNewDetailWindow(ApplicationState& app) {
    app.printing.printer.detailWindowBuilt();
}

}  // namespace tolvinark
