#include "app/viewer/printing.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/viewer/print_progress.h"
#include "app/viewer/print_state.h"
#include "app/win32/drawing_objects.h"
#include "app/win32/gdi_canvas.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/message_box.h"
#include "data/fixed_texts.h"
#include "output/list_printout.h"
#include "output/print_geometry.h"
#include "output/print_job.h"
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

// The held printer's context is in use by a document for as long as it lives.
class DocumentOnPrinter {
  public:
    explicit DocumentOnPrinter(HeldPrinter& printer) : printer_(printer) {
        printer_.documentStarted();
    }
    ~DocumentOnPrinter() { printer_.documentEnded(); }
    DocumentOnPrinter(const DocumentOnPrinter&) = delete;
    DocumentOnPrinter& operator=(const DocumentOnPrinter&) = delete;

  private:
    HeldPrinter& printer_;
};

// The print dialog, offering pages 1 to `rangePages` (none when 0). Only its size, owner,
// module, flags and pages are written; the rest is what the last dialog gave back, so it opens
// on the printer and copies chosen last. What it answered when a printer is now held.
std::optional<PrintChoice> askForPrinter(ApplicationState& app, HWND owner,
                                         std::uint32_t rangePages) {
    PRINTDLGA& dialog = app.printing.dialog;
    dialog.lStructSize = sizeof(PRINTDLGA);
    dialog.hwndOwner = owner;
    dialog.hInstance = app.module;
    // Copies go through the driver where it makes them itself; the dialog then answers one.
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
    const auto lastPage = static_cast<WORD>(std::min(std::max(rangePages, 1u), kMaxDialogPage));
    if (rangePages == 0) dialog.Flags |= PD_NOPAGENUMS;
    dialog.nMinPage = 1;
    dialog.nMaxPage = lastPage;
    dialog.nFromPage = 1;
    dialog.nToPage = lastPage;
    if (dialog.nCopies == 0) dialog.nCopies = 1;

    const bool accepted = PrintDlgA(&dialog) != 0;
    // The held printer owns the context from here; the record keeps no copy of it.
    ScopedPrinterDc fresh(std::exchange(dialog.hDC, nullptr));
    if (!accepted || !fresh.get()) {
        app.printing.printer.dialogCancelled();
        return std::nullopt;
    }
    PrintChoice choice;
    choice.pageRangeChosen = (dialog.Flags & PD_PAGENUMS) != 0;
    choice.fromPage = dialog.nFromPage;
    choice.toPage = dialog.nToPage;
    choice.copies = std::max<std::uint32_t>(dialog.nCopies, 1);
    choice.collate = (dialog.Flags & PD_COLLATE) != 0;
    app.printing.printer.dialogAccepted(std::move(fresh), choice);
    return choice;
}

using DrawPage = std::function<void(Canvas& canvas, std::uint32_t pageNumber)>;

// The job's calls on the printer context; the progress window answers between them.
class PrinterJob final : public PrintJobDevice {
  public:
    PrinterJob(HDC dc, Canvas& canvas, PrintProgress& progress, const DrawPage& drawPage)
        : dc_(dc), canvas_(canvas), progress_(progress), drawPage_(drawPage) {}

    bool startDocument() override {
        DOCINFOA document{};
        document.cbSize = sizeof(DOCINFOA);
        document.lpszDocName = documentName_.c_str();
        return StartDocA(dc_, &document) > 0;
    }
    bool startPage() override { return StartPage(dc_) > 0; }
    bool endPage() override { return EndPage(dc_) > 0; }
    bool endDocument() override { return EndDoc(dc_) > 0; }
    void abortDocument() override { AbortDoc(dc_); }
    void drawPage(std::uint32_t pageNumber) override { drawPage_(canvas_, pageNumber); }
    bool keepGoing(std::uint64_t sheet, std::uint64_t sheetCount) override {
        return progress_.keepGoing(sheet, sheetCount);
    }
    bool cancelled() const override { return progress_.cancelled(); }

  private:
    HDC dc_;
    Canvas& canvas_;
    PrintProgress& progress_;
    const DrawPage& drawPage_;
    const std::string documentName_{texts::kPrintDocumentName};
};

// The sheets of `plan` on the held printer, each page drawn in layout units by `drawPage`,
// with the progress window owned by `owner`. A printer that refuses a call is reported.
void printDocument(ApplicationState& app, HWND owner, const PrintJobPlan& plan,
                   const DrawPage& drawPage) {
    HeldPrinter& printer = app.printing.printer;
    const DocumentOnPrinter inUse(printer);
    const HDC dc = printer.context();

    // The pages select the printer font and the thick pen; both are put back out of the context
    // when the document is done, so it never holds one that a later dialog deletes.
    DrawingObjects objects = app.drawing;
    objects.printerFont = printer.font();
    objects.thickPen = printer.thickPen();
    std::optional<ScopedSelection> font;
    if (objects.printerFont) font.emplace(dc, objects.printerFont);
    std::optional<ScopedSelection> pen;
    if (objects.thickPen) pen.emplace(dc, objects.thickPen);
    GdiCanvas device(dc, objects);
    ScaledCanvas canvas(device, printer.caps());

    JobOutcome outcome = JobOutcome::Printed;
    {
        PrintProgress progress(app.module, owner, dc);
        PrinterJob job(dc, canvas, progress, drawPage);
        outcome = runPrintJob(job, plan);
    }
    if (outcome == JobOutcome::Failed) showMessage(owner, texts::kMessagePrintFailed);
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
    const std::uint32_t offeredPages = listPageCount(listPrintContent(app.data));
    if (listPrinterStep(offeredPages) == PrinterStep::PrintNothing) return;

    const BusyPrinting busy(app.printing.busy);
    const std::optional<PrintChoice> choice = askForPrinter(app, owner, offeredPages);
    if (!choice) return;
    // Read only now that the dialog, which dispatched messages, is over.
    const ListPrintContent content = listPrintContent(app.data);
    PrintJobPlan plan;
    plan.pages = chosenPages(*choice, listPageCount(content));
    plan.copies = choice->copies;
    plan.collate = choice->collate;
    const PrintGeometry geometry = printGeometry(app.printing.printer.caps());
    printDocument(app, owner, plan, [&](Canvas& canvas, std::uint32_t page) {
        drawListPage(canvas, content, geometry, page);
    });
}

void printProtocol(ApplicationState& app, HWND owner, const FileRecord& record,
                   std::uint16_t shownMode) {
    // Taken now: the record shown is the one right-clicked.
    const FileRecord shown = record;
    const std::uint32_t serialNumber = app.data.serialNumber;

    const BusyPrinting busy(app.printing.busy);
    if (app.printing.printer.protocolStep() == PrinterStep::AskForPrinter &&
        !askForPrinter(app, owner, 0)) {
        return;
    }
    PrintJobPlan plan;
    plan.pages = {1, 1};  // one page: the dialog offers no range
    plan.copies = app.printing.printer.copies().copies;
    plan.collate = app.printing.printer.copies().collate;
    printDocument(app, owner, plan, [&](Canvas& canvas, std::uint32_t) {
        drawProtocolPage(canvas, shown, shownMode, serialNumber);
    });
}

}  // namespace tolvinark
