#include "output/print_dialog.h"

#include <algorithm>

namespace tolvinark {

std::uint32_t offeredLastPage(std::uint32_t pageCount) {
    return std::clamp<std::uint32_t>(pageCount, 1, kMaxDialogPage);
}

PageRange chosenPages(const PrintDialogAnswer& answer, std::uint32_t pageCount) {
    if (pageCount == 0) return {};
    if (!answer.pageRangeChosen) return {1, pageCount};
    const auto held = [pageCount](std::uint32_t page) {
        return std::clamp<std::uint32_t>(page, 1, pageCount);
    };
    const std::uint32_t from = held(answer.fromPage);
    const std::uint32_t to = held(answer.toPage);
    return {std::min(from, to), std::max(from, to)};
}

CopiesAsked copiesAnswered(std::uint32_t dialogCopies, bool dialogCollate,
                           std::optional<std::uint32_t> modeCopies,
                           std::optional<bool> modeCollate) {
    if (dialogCopies > 1) return {dialogCopies, dialogCollate};
    if (modeCopies && *modeCopies > 1) return {*modeCopies, modeCollate.value_or(false)};
    return {};
}

AfterDialog afterPrintDialog(DialogEnd end, bool retried) {
    switch (end) {
        case DialogEnd::Accepted: return AfterDialog::Print;
        case DialogEnd::Cancelled: return AfterDialog::Stop;
        case DialogEnd::Failed:
            return retried ? AfterDialog::ReportFailure : AfterDialog::AskOnDefaultPrinter;
    }
    return AfterDialog::Stop;
}

}  // namespace tolvinark
