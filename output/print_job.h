#pragma once
// One print job: which pages of a printout go to the printer, how many times and in what order,
// and the run of document and page calls that sends them. The Win32 side answers the calls with
// StartDoc, StartPage, EndPage, EndDoc and AbortDoc on the printer context and draws each page;
// between pages it keeps the progress window answering, where the user may cancel.

#include <cstdint>
#include <string>

namespace tolvinark {

// The print dialog's page fields hold 16 bits: a longer list offers its first 65535 pages for a
// range, and "All" still prints every page.
inline constexpr std::uint32_t kMaxDialogPage = 0xFFFF;

// What the print dialog answered about pages and copies.
struct PrintChoice {
    bool pageRangeChosen = false;  // PD_PAGENUMS
    std::uint32_t fromPage = 0;    // nFromPage
    std::uint32_t toPage = 0;      // nToPage
    // The copies the program makes itself (nCopies); 1 when the driver makes them.
    std::uint32_t copies = 1;
    bool collate = false;  // PD_COLLATE: each copy whole before the next
};

// Pages first to last of a printout, 1-based; empty when last < first.
struct PageRange {
    std::uint32_t first = 1;
    std::uint32_t last = 0;
};

// The pages to print of a printout of `pageCount` pages: all of them, or the chosen range held
// inside 1 to pageCount, its ends in order. Empty for a printout of no pages.
PageRange chosenPages(const PrintChoice& choice, std::uint32_t pageCount);

struct PrintJobPlan {
    PageRange pages;
    std::uint32_t copies = 1;  // 0 is taken as 1
    bool collate = false;

    // Pages sent in all, every copy counted.
    std::uint64_t sheetCount() const;
    // The page number of the sheet sent `sheet`-th (0-based): collated 1 2 3 1 2 3, else 1 1 2 2.
    std::uint32_t pageOfSheet(std::uint64_t sheet) const;
};

class PrintJobDevice {
  public:
    virtual ~PrintJobDevice() = default;
    // Each false when the printer refused it (or the job was cancelled inside the call).
    virtual bool startDocument() = 0;
    virtual bool startPage() = 0;
    virtual bool endPage() = 0;
    virtual bool endDocument() = 0;
    virtual void abortDocument() = 0;
    virtual void drawPage(std::uint32_t pageNumber) = 0;
    // Called before each sheet, `sheet` of `sheetCount` (1-based): shows it and lets the user
    // act. False once the user has cancelled, here or inside an earlier call.
    virtual bool keepGoing(std::uint64_t sheet, std::uint64_t sheetCount) = 0;
    // Whether the user has cancelled, without letting them act.
    virtual bool cancelled() const = 0;
};

// The progress window's text while sheet `sheet` of `sheetCount` is sent: "Печать: лист 3 из 12".
std::string printProgressText(std::uint64_t sheet, std::uint64_t sheetCount);

enum class JobOutcome { Printed, Cancelled, Failed };

// Sends every sheet of `plan`. A refused call ends the job, aborting a started document; it is
// a failure unless the user had cancelled. A cancel aborts the document before the next sheet.
// A plan of no sheets sends nothing and counts as printed.
JobOutcome runPrintJob(PrintJobDevice& device, const PrintJobPlan& plan);

}  // namespace tolvinark
