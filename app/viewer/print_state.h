#pragma once
// What printing keeps from one printout to the next, for the whole run: the print dialog's
// record, so that each dialog opens on the printer and settings chosen last, and the printer the
// last successful dialog gave, with what was read from it and the font and pen made for it.

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include <cstddef>
#include <vector>

#include "app/win32/gdi_handles.h"
#include "output/held_printer_context.h"
#include "output/print_geometry.h"
#include "output/print_job.h"

namespace tolvinark {

// What a successful print dialog chose besides the printer context.
struct PrinterChosen {
    Printout askedBy = Printout::List;
    CopiesAsked copies;   // what the user asked for
    DriverCopies driver;  // what the chosen printer's driver makes itself
    // The device mode (DEVMODEW) the context was made from, its driver part included; each
    // document asks the driver for its copies through a copy of it. Empty when there is none.
    std::vector<std::byte> deviceMode;
};

// The printer context of the last successful print dialog, its resolution and page height, what
// the dialog chose besides, and the printer font and thick pen made for it. It owns them
// all; what it lets go of is released at once, except a context a document is printing on, which
// goes when the document ends. The context is held with nothing of the program's selected into it.
class HeldPrinter {
  public:
    bool holdsContext() const { return context_.holdsContext(); }
    HDC context() const { return context_.context(); }
    // Whether a protocol printout asks for a printer or prints to the held one.
    PrinterStep protocolStep() const { return context_.protocolStep(); }

    // Of the newest dialog's printer; they outlive a forgotten context, as the next successful
    // dialog replaces them anyway. Null before the first dialog.
    HFONT font() const { return font_.get(); }
    HPEN thickPen() const { return thickPen_.get(); }
    const PrinterCaps& caps() const { return caps_; }
    // The copies `printout` prints on the held printer, and what its driver makes of them.
    CopiesAsked copiesFor(Printout printout) const { return context_.copiesFor(printout); }
    const DriverCopies& driverCopies() const { return chosen_.driver; }
    const std::vector<std::byte>& deviceMode() const { return chosen_.deviceMode; }

    // A successful dialog's context: its resolution and page height are read and the printer
    // font and pen made for them. The context, font and pen it replaces are released.
    void dialogAccepted(ScopedPrinterDc fresh, PrinterChosen chosen = {});
    // The dialog was cancelled or failed: the context is released, nothing is held.
    void dialogCancelled() { context_.dialogCancelled(); }
    // A job on it failed: the context is released, so the next protocol printout asks again.
    void jobFailed() { context_.jobFailed(); }
    // A new detail window: the context is released, so the next protocol printout asks again.
    void detailWindowBuilt() { context_.detailWindowBuilt(); }

    // Between these a document prints on the context: it is not released before the end.
    void documentStarted() { context_.documentStarted(); }
    void documentEnded() { context_.documentEnded(); }

  private:
    // Declared first, so the context goes last, after the objects made for it.
    HeldPrinterContext<ScopedPrinterDc> context_;
    ScopedGdiObject<HFONT> font_;
    ScopedGdiObject<HPEN> thickPen_;
    PrinterCaps caps_;
    PrinterChosen chosen_;
};

struct PrintingState {
    PrintingState() = default;
    // The device-mode and device-names memory the dialogs handed back goes with the record.
    ~PrintingState() { forgetChosenPrinter(); }
    PrintingState(const PrintingState&) = delete;
    PrintingState& operator=(const PrintingState&) = delete;

    // Frees the device mode and names the dialogs handed back, so the next dialog opens on the
    // default printer.
    void forgetChosenPrinter();

    // Before each dialog its size, owner, module, flags and pages are written anew; every other
    // field keeps what the previous dialog gave back. Its context goes to `printer` at once.
    PRINTDLGW dialog{};
    HeldPrinter printer;
    // A print dialog or a document is under way. The dialog and the progress window let other
    // windows take messages meanwhile; the busy rule (busy_rule.h) holds off those that would
    // change what a printout reads or the context it draws on.
    bool busy = false;
};

}  // namespace tolvinark
