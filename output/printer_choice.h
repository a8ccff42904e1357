#pragma once
// Which printer a printout goes to. The answer of the last successful print dialog, its printer
// context, is held for the run: a protocol printout prints to it again without a dialog, so
// several protocols of one detail window need one dialog. A cancelled dialog and every build of
// the detail window (a record click, a series toggle) let it go, so the next protocol printout
// asks again. The list printout always asks, and asks nothing when it has no page to print.
//
// `Owner` owns the platform's printer context and releases it when it goes or is replaced
// (a ScopedHandle); its value-initialised value is the empty one, and get() gives the context.
// A context that a document is printing on is let go of only once the document has ended.

#include <cstdint>
#include <utility>

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

template <typename Owner>
class PrinterChoice {
  public:
    using Context = decltype(std::declval<const Owner&>().get());

    bool holdsContext() const { return !forgetWhenDocumentEnds_ && context_.get() != Context{}; }
    Context context() const { return context_.get(); }

    PrinterStep protocolStep() const {
        return holdsContext() ? PrinterStep::UseHeldPrinter : PrinterStep::AskForPrinter;
    }

    // The dialog succeeded: its context replaces the held one, which is released.
    void dialogAccepted(Owner fresh) {
        context_ = std::move(fresh);
        forgetWhenDocumentEnds_ = false;
    }
    // The dialog was cancelled or failed: nothing is held.
    void dialogCancelled() { forget(); }
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
    bool inDocument_ = false;
    bool forgetWhenDocumentEnds_ = false;
};

}  // namespace tolvinark
