#include "app/viewer/printing.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/viewer/print_dialog.h"
#include "app/viewer/print_progress.h"
#include "app/viewer/print_state.h"
#include "app/win32/drawing_objects.h"
#include "app/win32/gdi_canvas.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/message_box.h"
#include "app/win32/wide_text.h"
#include "data/fixed_texts.h"
#include "output/list_printout.h"
#include "output/print_geometry.h"
#include "output/print_job.h"
#include "output/protocol_printout.h"
#include "output/scaled_canvas.h"

namespace tolvinark {

namespace {

static_assert(kErrorCancelled == ERROR_CANCELLED, "the platform's error code of a cancel");

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

using DrawPage = std::function<void(Canvas& canvas, std::uint32_t pageNumber)>;

// The job's calls on the printer context; the progress window answers between them.
class PrinterJob final : public PrintJobDevice {
  public:
    PrinterJob(HDC dc, const std::vector<std::byte>& deviceMode, Canvas& canvas,
               PrintProgress& progress, const DrawPage& drawPage)
        : dc_(dc),
          deviceMode_(deviceMode),
          canvas_(canvas),
          progress_(progress),
          drawPage_(drawPage) {}

    // The context was made from the dialog's device mode; it is made anew from a copy holding
    // this document's copies, so that no earlier document's copies carry over.
    bool setDriverCopies(std::uint32_t copies, bool collate) override {
        if (deviceMode_.empty()) return true;  // no device mode: the driver makes none
        std::vector<std::byte> bytes = deviceMode_;
        auto* mode = reinterpret_cast<DEVMODEW*>(bytes.data());
        if (mode->dmFields & DM_COPIES) mode->dmCopies = static_cast<short>(copies);
        if (mode->dmFields & DM_COLLATE)
            mode->dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
        return ResetDCW(dc_, mode) != nullptr;
    }
    DocumentStart startDocument() override {
        DOCINFOW document{};
        document.cbSize = sizeof(DOCINFOW);
        document.lpszDocName = documentName_.c_str();
        if (StartDocW(dc_, &document) > 0) return {true, 0};
        return {false, static_cast<std::uint32_t>(GetLastError())};
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
    const std::vector<std::byte>& deviceMode_;
    Canvas& canvas_;
    PrintProgress& progress_;
    const DrawPage& drawPage_;
    const std::wstring documentName_ = toWide(texts::kPrintDocumentName);
};

// The sheets of `plan` on the held printer, each page drawn in layout units by `drawPage`,
// with the progress window owned by `owner`. A printer that refuses a call is reported and let
// go of, so that the next protocol printout asks for a printer.
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
        PrinterJob job(dc, printer.deviceMode(), canvas, progress, drawPage);
        outcome = runPrintJob(job, plan);
    }
    if (outcome == JobOutcome::Failed) {
        printer.jobFailed();  // released when the document's use of it ends, below
        showMessage(owner, texts::kMessagePrintFailed);
    }
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
    const std::optional<PrintDialogAnswer> answer =
        askForPrinter(app.printing, app.module, owner, Printout::List, offeredPages);
    if (!answer) return;
    // Read only now that the dialog, which dispatched messages, is over.
    const ListPrintContent content = listPrintContent(app.data);
    const HeldPrinter& printer = app.printing.printer;
    const PrintJobPlan plan = printJobPlan(chosenPages(*answer, listPageCount(content)),
                                           answer->copies, printer.driverCopies());
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
    HeldPrinter& printer = app.printing.printer;
    if (printer.protocolStep() == PrinterStep::AskForPrinter &&
        !askForPrinter(app.printing, app.module, owner, Printout::Protocol, 0)) {
        return;
    }
    // One page, as the dialog offers no range, with the copies of the protocol's own dialog.
    const PrintJobPlan plan =
        printJobPlan({1, 1}, printer.copiesFor(Printout::Protocol), printer.driverCopies());
    printDocument(app, owner, plan, [&](Canvas& canvas, std::uint32_t) {
        drawProtocolPage(canvas, shown, shownMode, serialNumber);
    });
}

}  // namespace tolvinark
