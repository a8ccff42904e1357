#pragma once
// What printing keeps from one printout to the next, for the whole run: the print dialog's
// record, so that each dialog opens on the printer and settings chosen last, and the printer the
// last successful dialog gave, with what was read from it and the font made for it.

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "app/gdi_handles.h"
#include "output/print_geometry.h"
#include "output/printer_choice.h"

namespace tolvinark {

// The printer context of the last successful print dialog, its resolution and page height, and
// the printer font made for it. Contexts and fonts it lets go of are released at once; the
// context is held with nothing of the program's selected into it, so either can go any time.
class HeldPrinter {
  public:
    HeldPrinter() = default;
    ~HeldPrinter();
    HeldPrinter(const HeldPrinter&) = delete;
    HeldPrinter& operator=(const HeldPrinter&) = delete;

    bool holdsContext() const { return choice_.holdsContext(); }
    HDC context() const { return choice_.context(); }
    // Whether a protocol printout asks for a printer or prints to the held one.
    PrinterStep protocolStep() const { return choice_.protocolStep(); }

    // Of the newest dialog's printer; the font outlives a forgotten context, as the next
    // successful dialog replaces it anyway. Null before the first dialog.
    HFONT font() const { return font_.get(); }
    const PrinterCaps& caps() const { return caps_; }

    // A successful dialog's context (owned from now on): its resolution and page height are read
    // and the printer font made for them. The context and font it replaces are released.
    void dialogAccepted(HDC fresh);
    // The dialog was cancelled or failed: the context is released, nothing is held.
    void dialogCancelled();
    // A new detail window: the context is released, so the next protocol printout asks again.
    void detailWindowBuilt();

  private:
    PrinterChoice<HDC> choice_;
    ScopedGdiObject<HFONT> font_;
    PrinterCaps caps_;
};

struct PrintingState {
    PrintingState() = default;
    // The device-mode and device-names memory the dialogs handed back goes with the record.
    ~PrintingState();
    PrintingState(const PrintingState&) = delete;
    PrintingState& operator=(const PrintingState&) = delete;

    // Before each dialog its size, owner, module and flags are written anew; every other field
    // keeps what the previous dialog gave back. Its context is taken over by `printer` at once.
    PRINTDLGA dialog{};
    HeldPrinter printer;
    // A print dialog or a document is under way. The dialog runs a message loop in which the
    // other window (list pane or detail window) still takes right clicks; those print nothing
    // until it is over, so the dialog's record is never handed to two dialogs at once.
    bool busy = false;
};

}  // namespace tolvinark
