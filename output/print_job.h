#pragma once
// One print job: which pages of a printout go to the printer, how many times and in what order,
// and the run of document and page calls that sends them. The Win32 side answers the calls with
// StartDoc, StartPage, EndPage, EndDoc and AbortDoc on the printer context and draws each page;
// between pages it keeps the progress window answering, where the user may cancel.

#include <cstdint>
#include <string>

#include "output/print_copies.h"
#include "output/print_dialog.h"

namespace tolvinark {

// Error code of a document the user cancelled before it started, as the platform numbers it
// (ERROR_CANCELLED): a printer that asks for a file name fails StartDoc with it when the user
// cancels that prompt.
inline constexpr std::uint32_t kErrorCancelled = 1223;

struct PrintJobPlan {
    PageRange pages;
    CopiesRoad copies;

    // Pages the program sends in all, each of its copies counted.
    std::uint64_t sheetCount() const;
    // The page number of the sheet sent `sheet`-th (0-based): collated 1 2 3 1 2 3, else 1 1 2 2.
    std::uint32_t pageOfSheet(std::uint64_t sheet) const;
};

// The plan for `pages` of a printout, with the copies asked for made by the driver where it can.
PrintJobPlan printJobPlan(PageRange pages, const CopiesAsked& asked, const DriverCopies& driver);

// How StartDoc answered: started, or refused with the platform's error code.
struct DocumentStart {
    bool started = false;
    std::uint32_t error = 0;
};

class PrintJobDevice {
  public:
    virtual ~PrintJobDevice() = default;
    // Asks the driver for `copies` copies of the document, collated or not, before it starts
    // (the device mode's dmCopies and dmCollate). False when the printer refused it.
    virtual bool setDriverCopies(std::uint32_t copies, bool collate) = 0;
    virtual DocumentStart startDocument() = 0;
    // Each false when the printer refused it (or the job was cancelled inside the call).
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

// Sends every sheet of `plan`, the driver asked for its copies first. A refused call ends the
// job, aborting a started document; it is a failure unless the user had cancelled, or, for the
// document's start, it was refused with kErrorCancelled. A cancel aborts the document before
// the next sheet. A plan of no sheets sends nothing and counts as printed.
JobOutcome runPrintJob(PrintJobDevice& device, const PrintJobPlan& plan);

}  // namespace tolvinark
