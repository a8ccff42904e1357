#pragma once
// What printing keeps from one printout to the next, for the whole run: the print dialog's
// record, so that each dialog opens on the printer and settings chosen last, and the printer the
// last successful dialog gave, with what was read from it and the font and pen made for it.

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "app/win32/gdi_handles.h"
#include "output/print_geometry.h"
#include "output/print_job.h"
#include "output/printer_choice.h"

namespace tolvinark {

// The printer context of the last successful print dialog, its resolution and page height, the
// copies the program makes for it, and the printer font and thick pen made for it. It owns them
// all; what it lets go of is released at once, except a context a document is printing on, which
// goes when the document ends. The context is held with nothing of the program's selected into it.
class HeldPrinter {
  public:
    bool holdsContext() const { return choice_.holdsContext(); }
    HDC context() const { return choice_.context(); }
    // Whether a protocol printout asks for a printer or prints to the held one.
    PrinterStep protocolStep() const { return choice_.protocolStep(); }

    // Of the newest dialog's printer; they outlive a forgotten context, as the next successful
    // dialog replaces them anyway. Null before the first dialog.
    HFONT font() const { return font_.get(); }
    HPEN thickPen() const { return thickPen_.get(); }
    const PrinterCaps& caps() const { return caps_; }
    // The copies the program makes itself (nCopies and PD_COLLATE), for the held context.
    const PrintChoice& copies() const { return copies_; }

    // A successful dialog's context: its resolution and page height are read and the printer
    // font and pen made for them. The context, font and pen it replaces are released.
    void dialogAccepted(ScopedPrinterDc fresh, const PrintChoice& copies = {});
    // The dialog was cancelled or failed: the context is released, nothing is held.
    void dialogCancelled() { choice_.dialogCancelled(); }
    // A new detail window: the context is released, so the next protocol printout asks again.
    void detailWindowBuilt() { choice_.detailWindowBuilt(); }

    // Between these a document prints on the context: it is not released before the end.
    void documentStarted() { choice_.documentStarted(); }
    void documentEnded() { choice_.documentEnded(); }

  private:
    // Declared first, so the context goes last, after the objects made for it.
    PrinterChoice<ScopedPrinterDc> choice_;
    ScopedGdiObject<HFONT> font_;
    ScopedGdiObject<HPEN> thickPen_;
    PrinterCaps caps_;
    PrintChoice copies_;
};

struct PrintingState {
    PrintingState() = default;
    // The device-mode and device-names memory the dialogs handed back goes with the record.
    ~PrintingState();
    PrintingState(const PrintingState&) = delete;
    PrintingState& operator=(const PrintingState&) = delete;

    // Before each dialog its size, owner, module, flags and pages are written anew; every other
    // field keeps what the previous dialog gave back. Its context goes to `printer` at once.
    PRINTDLGA dialog{};
    HeldPrinter printer;
    // A print dialog or a document is under way. The dialog and the progress window let other
    // windows take messages meanwhile; the busy rule (busy_rule.h) holds off those that would
    // change what a printout reads or the context it draws on.
    bool busy = false;
};

}  // namespace tolvinark
