#pragma once
// The held printer: the printer context of the last successful print dialog, with the copies
// asked for there, held for the run. A protocol printout prints to it again without a dialog, so
// several protocols of one detail window need one dialog. A cancelled dialog, a failed job and
// every build of the detail window (a record click, a series toggle) let it go, so the next
// protocol printout asks again. The list printout always asks, and asks nothing when it has no
// page to print.
//
// `Owner` owns the platform's printer context and releases it when it goes or is replaced
// (a ScopedHandle); its value-initialised value is the empty one, and get() gives the context.
// A context that a document is printing on is let go of only once the document has ended.

#include <cstdint>
#include <utility>

#include "output/print_copies.h"

namespace tolvinark {

enum class PrinterStep {
    PrintNothing,    // no page to print: no dialog, no document
    AskForPrinter,   // show the print dialog, print when it succeeds
    UseHeldPrinter,  // print to the held context at once
};

// The list printout: PrintNothing for a list of no pages (listPageCount), else AskForPrinter.
constexpr PrinterStep listPrinterStep(std::uint32_t pageCount) {
    return pageCount == 0 ? PrinterStep::PrintNothing : PrinterStep::AskForPrinter;
}

// The printout whose dialog gave the held printer.
enum class Printout { List, Protocol };

template <typename Owner>
class HeldPrinterContext {
  public:
    using Context = decltype(std::declval<const Owner&>().get());

    bool holdsContext() const { return !forgetWhenDocumentEnds_ && context_.get() != Context{}; }
    Context context() const { return context_.get(); }

    PrinterStep protocolStep() const {
        return holdsContext() ? PrinterStep::UseHeldPrinter : PrinterStep::AskForPrinter;
    }

    // The dialog of `askedBy` succeeded, asking for `copies`: its context replaces the held
    // one, which is released.
    void dialogAccepted(Owner fresh, Printout askedBy, const CopiesAsked& copies) {
        context_ = std::move(fresh);
        forgetWhenDocumentEnds_ = false;
        askedBy_ = askedBy;
        copies_ = copies;
    }
    // The copies `printout` prints on the held printer: those its own dialog asked for; one on a
    // printer held from the other printout's dialog.
    CopiesAsked copiesFor(Printout printout) const {
        return printout == askedBy_ ? copies_ : CopiesAsked{};
    }

    // The dialog was cancelled or failed: nothing is held.
    void dialogCancelled() { forget(); }
    // A job on the held printer failed: the next protocol printout asks for a printer.
    void jobFailed() { forget(); }
    // The detail window was built anew: the next protocol printout asks again.
    void detailWindowBuilt() { forget(); }

    // A document prints on the held context from documentStarted to documentEnded.
    void documentStarted() { inDocument_ = true; }
    void documentEnded() {
        inDocument_ = false;
        if (std::exchange(forgetWhenDocumentEnds_, false)) context_ = Owner{};
    }

  private:
    void forget() {
        if (inDocument_) {
            forgetWhenDocumentEnds_ = true;
        } else {
            context_ = Owner{};
        }
    }

    Owner context_{};
    Printout askedBy_ = Printout::List;
    CopiesAsked copies_;
    bool inDocument_ = false;
    bool forgetWhenDocumentEnds_ = false;
};

}  // namespace tolvinark
