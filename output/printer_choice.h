#pragma once
// Which printer a printout goes to. The answer of the last successful print dialog, its printer
// context, is held for the run: a protocol printout prints to it again without a dialog, so
// several protocols of one detail window need one dialog. A cancelled dialog and every build of
// the detail window (a record click, a series toggle) let it go, so the next protocol printout
// asks again. The list printout always asks, and asks nothing when it has no page to print.
//
// `Context` is the platform's printer context handle (HDC); its value-initialised value is the
// empty one. Each change gives back the context it let go of, for the caller to release.

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

template <typename Context>
class PrinterChoice {
  public:
    bool holdsContext() const { return context_ != Context{}; }
    Context context() const { return context_; }

    PrinterStep protocolStep() const {
        return holdsContext() ? PrinterStep::UseHeldPrinter : PrinterStep::AskForPrinter;
    }

    // The dialog succeeded: its context replaces the held one.
    [[nodiscard]] Context dialogAccepted(Context fresh) { return std::exchange(context_, fresh); }
    // The dialog was cancelled or failed: nothing is held.
    [[nodiscard]] Context dialogCancelled() { return release(); }
    // The detail window was built anew: the next protocol printout asks again.
    [[nodiscard]] Context detailWindowBuilt() { return release(); }

  private:
    Context release() { return std::exchange(context_, Context{}); }

    Context context_{};
};

}  // namespace tolvinark
