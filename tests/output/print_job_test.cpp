#include "output/print_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp1251.h"
#include "output/list_printout.h"
#include "tests/output/stand_in_printer.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark {
namespace {

using Pages = std::vector<std::uint32_t>;

// The program's copies of `pages`, in the order asked.
PrintJobPlan programCopies(PageRange pages, std::uint32_t copies, bool collate) {
    PrintJobPlan plan;
    plan.pages = pages;
    plan.copies.programCopies = copies;
    plan.copies.programCollate = collate;
    return plan;
}

Pages sheetsOf(const PrintJobPlan& plan) {
    Pages pages;
    for (std::uint64_t sheet = 0; sheet < plan.sheetCount(); ++sheet) {
        pages.push_back(plan.pageOfSheet(sheet));
    }
    return pages;
}

TEST(PrintJob, CopiesMadeByTheProgramCollatedOrNot) {
    EXPECT_EQ(sheetsOf(programCopies({2, 3}, 2, true)), (Pages{2, 3, 2, 3}));
    EXPECT_EQ(sheetsOf(programCopies({2, 3}, 2, false)), (Pages{2, 2, 3, 3}));
    EXPECT_EQ(sheetsOf(programCopies({1, 1}, 0, false)), (Pages{1}));
    EXPECT_EQ(sheetsOf(programCopies({1, 0}, 3, true)), Pages{});
    EXPECT_EQ(programCopies({1, 4'000'000'000u}, 2, true).sheetCount(), 8'000'000'000u);
}

// Each copy asked for comes out once: the driver makes them in one document where it can, else
// the program sends the pages that many times, in the order asked.
TEST(PrintJob, CopiesGoByTheDriverOrByTheProgramOnce) {
    const struct {
        const char* what;
        CopiesAsked asked;
        DriverCopies driver;
        std::uint32_t driverCopies;
        bool driverCollate;
        Pages drawn;
    } cases[] = {
        {"one copy", {1, true}, {999, true}, 1, false, {1, 2, 3}},
        {"none asked is one", {0, false}, {1, false}, 1, false, {1, 2, 3}},
        {"exactly as many as the driver makes", {3, false}, {3, false}, 3, false, {1, 2, 3}},
        {"the driver's copies", {3, false}, {999, false}, 3, false, {1, 2, 3}},
        {"the driver's collated copies", {2, true}, {999, true}, 2, true, {1, 2, 3}},
        {"the program's collated copies", {2, true}, {1, false}, 1, false, {1, 2, 3, 1, 2, 3}},
        {"the program's uncollated copies", {2, false}, {1, false}, 1, false, {1, 1, 2, 2, 3, 3}},
        {"a driver that cannot collate", {2, true}, {999, false}, 1, false, {1, 2, 3, 1, 2, 3}},
        {"more than the driver makes",
         {3, false},
         {2, true},
         1,
         false,
         {1, 1, 1, 2, 2, 2, 3, 3, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandInPrinter printer;
        printer.driverCopies = 99;  // a document before asked for others
        EXPECT_EQ(runPrintJob(printer, printJobPlan({1, 3}, c.asked, c.driver)),
                  JobOutcome::Printed);
        EXPECT_EQ(printer.driverCopies, c.driverCopies);
        EXPECT_EQ(printer.driverCollate, c.driverCollate);
        EXPECT_EQ(printer.drawn, c.drawn);
        ASSERT_GE(printer.calls.size(), 2u);
        EXPECT_EQ(printer.calls[0] + " " + printer.calls[1], "copies doc");  // asked before
    }
}

TEST(PrintJob, RefusedCallsEndTheJobAsFailuresAndCancelsAsCancels) {
    struct Case {
        const char* what;
        std::string refuse, cancelInside;
        std::uint32_t startError;
        std::uint64_t cancelBeforeSheet;
        JobOutcome outcome;
        Pages drawn;
        std::string lastCalls;  // the last two calls
    };
    const Case cases[] = {
        {"printed", "", "", 0, 0, JobOutcome::Printed, {1, 2, 3}, "end enddoc"},
        {"copies refused", "copies", "", 0, 0, JobOutcome::Failed, {}, " copies"},
        {"no document", "doc", "", 5, 0, JobOutcome::Failed, {}, "copies doc"},
        // A printer's file prompt cancelled: StartDoc fails with ERROR_CANCELLED.
        {"file prompt cancelled",
         "doc",
         "",
         kErrorCancelled,
         0,
         JobOutcome::Cancelled,
         {},
         "copies doc"},
        // The user's cancel taken by the abort procedure inside StartDoc, whatever its error.
        {"cancelled inside the start", "", "doc", 0, 0, JobOutcome::Cancelled, {}, "copies doc"},
        {"page refused", "page", "", 0, 0, JobOutcome::Failed, {1}, "page abort"},
        {"end of page refused", "end", "", 0, 0, JobOutcome::Failed, {1, 2}, "end abort"},
        {"end of document refused",
         "enddoc",
         "",
         0,
         0,
         JobOutcome::Failed,
         {1, 2, 3},
         "enddoc abort"},
        {"cancelled between pages", "", "", 0, 2, JobOutcome::Cancelled, {1}, "end abort"},
        {"cancelled inside a page", "", "end", 0, 0, JobOutcome::Cancelled, {1, 2}, "end abort"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInPrinter printer;
        printer.refuse = c.refuse;
        printer.startError = c.startError;
        printer.cancelInside = c.cancelInside;
        printer.cancelBeforeSheet = c.cancelBeforeSheet;
        EXPECT_EQ(runPrintJob(printer, programCopies({1, 3}, 1, false)), c.outcome);
        EXPECT_EQ(printer.drawn, c.drawn);
        const std::size_t n = printer.calls.size();
        const std::string last = (n > 1 ? printer.calls[n - 2] : "") + " " + printer.calls[n - 1];
        EXPECT_EQ(last, c.lastCalls);
    }
}

// No page to print: not even the driver is asked, and no document starts.
TEST(PrintJob, APlanOfNoSheetsSendsNothing) {
    for (const PrintJobPlan& plan :
         {programCopies({1, 0}, 1, false), programCopies({3, 2}, 2, true),
          printJobPlan({}, {4, true}, {999, true})}) {
        StandInPrinter printer;
        EXPECT_EQ(runPrintJob(printer, plan), JobOutcome::Printed);
        EXPECT_TRUE(printer.calls.empty()) << printer.calls.front();
        EXPECT_TRUE(printer.drawn.empty());
    }
}

// Page 2 alone of a three-page list keeps its true label, and the progress counts one sheet.
TEST(PrintJob, ARangeOfAListPrintsItsPagesWithTheirTrueLabels) {
    const std::vector<IndexEntry> entries(2 * kListRowsPerPage + 1);
    ListPrintContent content;
    content.entries = entries.data();
    content.recordCount = static_cast<std::uint32_t>(entries.size());
    PrintDialogAnswer answer;
    answer.pageRangeChosen = true;
    answer.fromPage = answer.toPage = 2;
    const PrintJobPlan plan = printJobPlan(chosenPages(answer, listPageCount(content)), {}, {});
    ASSERT_EQ(sheetsOf(plan), Pages{2});

    RecordingCanvas page;
    drawListPage(page, content, printGeometry({600, 600, 7016}), plan.pageOfSheet(0));
    EXPECT_EQ(page.textsReading(cp1251(" лист  2  из  3 ")).size(), 1u);
    EXPECT_EQ(printProgressText(1, plan.sheetCount()), cp1251("Печать: лист 1 из 1").view());
}

}  // namespace
}  // namespace tolvinark
