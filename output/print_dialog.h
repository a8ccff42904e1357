#pragma once
// What the print dialog answered, and what follows from it: the pages to print, the copies asked
// for, and whether to print, stop, or ask once more on the default printer.

#include <cstdint>
#include <optional>

#include "output/print_copies.h"

namespace tolvinark {

// The print dialog's page fields hold 16 bits: a longer list offers its first 65535 pages for a
// range, and "All" still prints every page.
inline constexpr std::uint32_t kMaxDialogPage = 0xFFFF;

// The last page the dialog offers for a printout of `pageCount` pages (nMaxPage, nToPage): the
// page count held in 1 to kMaxDialogPage.
std::uint32_t offeredLastPage(std::uint32_t pageCount);

// What the print dialog answered about pages and copies.
struct PrintDialogAnswer {
    bool pageRangeChosen = false;  // PD_PAGENUMS
    std::uint32_t fromPage = 0;    // nFromPage
    std::uint32_t toPage = 0;      // nToPage
    CopiesAsked copies;
};

// Pages first to last of a printout, 1-based; empty when last < first.
struct PageRange {
    std::uint32_t first = 1;
    std::uint32_t last = 0;
};

// The pages to print of a printout of `pageCount` pages: all of them, or the chosen range held
// inside 1 to pageCount, its ends in order. Empty for a printout of no pages.
PageRange chosenPages(const PrintDialogAnswer& answer, std::uint32_t pageCount);

// The copies the dialog answered: nCopies and PD_COLLATE, where the program makes copies; or,
// where the dialog left nCopies at one and answered in the device mode instead (its dmCopies and
// dmCollate, when it carries those fields), those.
CopiesAsked copiesAnswered(std::uint32_t dialogCopies, bool dialogCollate,
                           std::optional<std::uint32_t> modeCopies,
                           std::optional<bool> modeCollate);

// How a print dialog ended: OK with a printer context; cancelled by the user (PrintDlg 0,
// CommDlgExtendedError 0); or it could not open or make the context (an extended error).
enum class DialogEnd { Accepted, Cancelled, Failed };

enum class AfterDialog {
    Print,
    Stop,                 // nothing printed, no message
    AskOnDefaultPrinter,  // forget the remembered printer and open the dialog once more
    ReportFailure,        // "ошибка печати"
};

// A printer chosen last and since removed fails the dialog on every try, as its remembered
// device names are handed back each time: it is forgotten, and the dialog opens once more on
// the default printer. `retried`: this was that second dialog.
AfterDialog afterPrintDialog(DialogEnd end, bool retried);

}  // namespace tolvinark
