#include "output/print_dialog.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

TEST(PrintDialog, PagesChosenInTheDialog) {
    struct Case {
        bool rangeChosen;
        std::uint32_t fromPage, toPage;
        std::uint32_t pageCount;
        std::uint32_t first, last;
    };
    const Case cases[] = {
        {false, 2, 2, 3, 1, 3},  // "All": the range fields are not read
        {true, 2, 2, 3, 2, 2},
        {true, 5, 19231, 19231, 5, 19231},
        {true, 0, 9, 3, 1, 3},   // held inside the printout
        {true, 3, 2, 3, 2, 3},   // ends in order
        {false, 1, 1, 0, 1, 0},  // no pages: empty
        // Beyond the dialog's 16-bit page fields "All" still prints every page, and a range is
        // one of the pages offered.
        {false, 1, 65535, 70000, 1, 70000},
        {true, 1, 65535, 70000, 1, 65535},
        {false, 1, 65535, 4'000'000'000u, 1, 4'000'000'000u},
    };
    for (const Case& c : cases) {
        PrintDialogAnswer answer;
        answer.pageRangeChosen = c.rangeChosen;
        answer.fromPage = c.fromPage;
        answer.toPage = c.toPage;
        const PageRange range = chosenPages(answer, c.pageCount);
        EXPECT_EQ(range.first, c.first) << c.fromPage << "-" << c.toPage << " of " << c.pageCount;
        EXPECT_EQ(range.last, c.last) << c.fromPage << "-" << c.toPage << " of " << c.pageCount;
    }
}

TEST(PrintDialog, OffersPagesUpToItsSixteenBitFields) {
    const struct {
        std::uint32_t pageCount, lastPage;
    } cases[] = {{0, 1}, {1, 1}, {3, 3}, {65535, 65535}, {65536, 65535}, {70000, 65535}};
    for (const auto& c : cases) EXPECT_EQ(offeredLastPage(c.pageCount), c.lastPage) << c.pageCount;
}

TEST(PrintDialog, CopiesFromTheDialogOrItsDeviceMode) {
    const struct {
        const char* what;
        std::uint32_t dialogCopies;
        bool dialogCollate;
        std::optional<std::uint32_t> modeCopies;
        std::optional<bool> modeCollate;
        CopiesAsked asked;
    } cases[] = {
        {"the dialog's copies", 3, true, 1u, false, {3, true}},
        {"the dialog's, uncollated", 2, false, std::nullopt, std::nullopt, {2, false}},
        {"the dialog's over the mode's", 2, false, 5u, true, {2, false}},
        {"the device mode's", 1, false, 4u, true, {4, true}},
        {"the device mode's, no collate field", 1, true, 4u, std::nullopt, {4, false}},
        {"one", 1, true, 1u, true, {1, false}},
        {"none asked anywhere", 0, false, std::nullopt, std::nullopt, {1, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CopiesAsked asked =
            copiesAnswered(c.dialogCopies, c.dialogCollate, c.modeCopies, c.modeCollate);
        EXPECT_EQ(asked.copies, c.asked.copies);
        EXPECT_EQ(asked.collate, c.asked.collate);
    }
}

// A printer chosen last and since removed: the dialog is asked once more, on the default printer.
TEST(PrintDialog, AFailedDialogIsAskedOnceMoreThenReported) {
    const struct {
        DialogEnd end;
        bool retried;
        AfterDialog after;
    } cases[] = {
        {DialogEnd::Accepted, false, AfterDialog::Print},
        {DialogEnd::Accepted, true, AfterDialog::Print},
        {DialogEnd::Cancelled, false, AfterDialog::Stop},
        {DialogEnd::Cancelled, true, AfterDialog::Stop},
        {DialogEnd::Failed, false, AfterDialog::AskOnDefaultPrinter},
        {DialogEnd::Failed, true, AfterDialog::ReportFailure},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(afterPrintDialog(c.end, c.retried), c.after)
            << static_cast<int>(c.end) << (c.retried ? " retried" : "");
    }
}

}  // namespace
}  // namespace tolvinark
