#include "output/print_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp1251.h"
#include "output/list_printout.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark {
namespace {

TEST(PrintJob, PagesChosenInTheDialog) {
    struct Case {
        PrintChoice choice;
        std::uint32_t pageCount;
        std::uint32_t first, last;
    };
    const Case cases[] = {
        {{false, 2, 2}, 3, 1, 3},  // "All": the range fields are not read
        {{true, 2, 2}, 3, 2, 2},  {{true, 5, 19231}, 19231, 5, 19231},
        {{true, 0, 9}, 3, 1, 3},   // held inside the printout
        {{true, 3, 2}, 3, 2, 3},   // ends in order
        {{false, 1, 1}, 0, 1, 0},  // no pages: empty
    };
    for (const Case& c : cases) {
        const PageRange range = chosenPages(c.choice, c.pageCount);
        EXPECT_EQ(range.first, c.first) << c.choice.fromPage << "-" << c.choice.toPage;
        EXPECT_EQ(range.last, c.last) << c.choice.fromPage << "-" << c.choice.toPage;
    }
}

std::vector<std::uint32_t> sheetsOf(const PrintJobPlan& plan) {
    std::vector<std::uint32_t> pages;
    for (std::uint64_t sheet = 0; sheet < plan.sheetCount(); ++sheet) {
        pages.push_back(plan.pageOfSheet(sheet));
    }
    return pages;
}

TEST(PrintJob, CopiesMadeByTheProgramCollatedOrNot) {
    using Pages = std::vector<std::uint32_t>;
    EXPECT_EQ(sheetsOf({{2, 3}, 2, true}), (Pages{2, 3, 2, 3}));
    EXPECT_EQ(sheetsOf({{2, 3}, 2, false}), (Pages{2, 2, 3, 3}));
    EXPECT_EQ(sheetsOf({{1, 1}, 0, false}), (Pages{1}));
    EXPECT_EQ(sheetsOf({{1, 0}, 3, true}), Pages{});
    EXPECT_EQ((PrintJobPlan{{1, 4'000'000'000u}, 2, true}.sheetCount()), 8'000'000'000u);
}

// Stands in for the printer: notes the calls, refuses the one named, and has the user cancel
// before a given sheet or inside a given call.
class StandInPrinter final : public PrintJobDevice {
  public:
    std::string refuse;        // "doc", "page", "end" or "enddoc"; page calls of sheet 2
    std::string cancelInside;  // a call inside which the user cancels, on sheet 2
    std::uint64_t cancelBeforeSheet = 0;
    std::vector<std::string> calls;
    std::vector<std::uint32_t> drawn;

    bool startDocument() override { return call("doc"); }
    bool startPage() override { return call("page"); }
    bool endPage() override { return call("end"); }
    bool endDocument() override { return call("enddoc"); }
    void abortDocument() override { calls.push_back("abort"); }
    void drawPage(std::uint32_t pageNumber) override { drawn.push_back(pageNumber); }
    bool keepGoing(std::uint64_t sheet, std::uint64_t) override {
        sheet_ = sheet;
        if (sheet == cancelBeforeSheet) cancelled_ = true;
        return !cancelled_;
    }
    bool cancelled() const override { return cancelled_; }

  private:
    bool call(const std::string& name) {
        calls.push_back(name);
        const bool onSheet2 = name == "doc" || name == "enddoc" || sheet_ == 2;
        if (onSheet2 && name == cancelInside) cancelled_ = true;
        return !(onSheet2 && (name == refuse || name == cancelInside));
    }

    std::uint64_t sheet_ = 0;
    bool cancelled_ = false;
};

TEST(PrintJob, RefusedCallsEndTheJobAsFailuresAndCancelsAsCancels) {
    struct Case {
        const char* what;
        std::string refuse, cancelInside;
        std::uint64_t cancelBeforeSheet;
        JobOutcome outcome;
        std::vector<std::uint32_t> drawn;
        std::string lastCalls;  // the last two calls
    };
    const Case cases[] = {
        {"printed", "", "", 0, JobOutcome::Printed, {1, 2, 3}, "end enddoc"},
        {"no document", "doc", "", 0, JobOutcome::Failed, {}, " doc"},
        {"page refused", "page", "", 0, JobOutcome::Failed, {1}, "page abort"},
        {"end of page refused", "end", "", 0, JobOutcome::Failed, {1, 2}, "end abort"},
        {"end of document refused", "enddoc", "", 0, JobOutcome::Failed, {1, 2, 3}, "enddoc abort"},
        {"cancelled between pages", "", "", 2, JobOutcome::Cancelled, {1}, "end abort"},
        {"cancelled inside a page", "", "end", 0, JobOutcome::Cancelled, {1, 2}, "end abort"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInPrinter printer;
        printer.refuse = c.refuse;
        printer.cancelInside = c.cancelInside;
        printer.cancelBeforeSheet = c.cancelBeforeSheet;
        EXPECT_EQ(runPrintJob(printer, {{1, 3}, 1, false}), c.outcome);
        EXPECT_EQ(printer.drawn, c.drawn);
        const std::size_t n = printer.calls.size();
        const std::string last = (n > 1 ? printer.calls[n - 2] : "") + " " + printer.calls[n - 1];
        EXPECT_EQ(last, c.lastCalls);
    }
}

// Page 2 alone of a three-page list keeps its true label, and the progress counts one sheet.
TEST(PrintJob, ARangeOfAListPrintsItsPagesWithTheirTrueLabels) {
    const std::vector<IndexEntry> entries(2 * kListRowsPerPage + 1);
    ListPrintContent content;
    content.entries = entries.data();
    content.recordCount = static_cast<std::uint32_t>(entries.size());
    const PrintJobPlan plan{chosenPages({true, 2, 2}, listPageCount(content)), 1, false};
    ASSERT_EQ(sheetsOf(plan), std::vector<std::uint32_t>{2});

    RecordingCanvas page;
    drawListPage(page, content, printGeometry({600, 600, 7016}), plan.pageOfSheet(0));
    EXPECT_EQ(page.textsReading(cp1251(" лист  2  из  3 ")).size(), 1u);
    EXPECT_EQ(printProgressText(1, plan.sheetCount()), cp1251("Печать: лист 1 из 1").view());
}

}  // namespace
}  // namespace tolvinark
