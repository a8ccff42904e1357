#include "output/print_job.h"

#include <algorithm>

#include "data/fixed_texts.h"

namespace tolvinark {

PageRange chosenPages(const PrintChoice& choice, std::uint32_t pageCount) {
    if (pageCount == 0) return {};
    if (!choice.pageRangeChosen) return {1, pageCount};
    const auto held = [pageCount](std::uint32_t page) {
        return std::clamp<std::uint32_t>(page, 1, pageCount);
    };
    const std::uint32_t from = held(choice.fromPage);
    const std::uint32_t to = held(choice.toPage);
    return {std::min(from, to), std::max(from, to)};
}

std::uint64_t PrintJobPlan::sheetCount() const {
    if (pages.last < pages.first) return 0;
    const std::uint64_t perCopy = std::uint64_t{pages.last} - pages.first + 1;
    return perCopy * std::max<std::uint32_t>(copies, 1);
}

std::uint32_t PrintJobPlan::pageOfSheet(std::uint64_t sheet) const {
    const std::uint64_t perCopy = std::uint64_t{pages.last} - pages.first + 1;
    const std::uint64_t offset =
        collate ? sheet % perCopy : sheet / std::max<std::uint32_t>(copies, 1);
    return static_cast<std::uint32_t>(pages.first + offset);
}

std::string printProgressText(std::uint64_t sheet, std::uint64_t sheetCount) {
    std::string text(texts::kPrintProgressPrefix);
    text += std::to_string(sheet);
    text += texts::kPrintProgressOf;
    text += std::to_string(sheetCount);
    return text;
}

namespace {

JobOutcome abandoned(PrintJobDevice& device) {
    device.abortDocument();
    return device.cancelled() ? JobOutcome::Cancelled : JobOutcome::Failed;
}

}  // namespace

JobOutcome runPrintJob(PrintJobDevice& device, const PrintJobPlan& plan) {
    const std::uint64_t sheets = plan.sheetCount();
    if (sheets == 0) return JobOutcome::Printed;
    if (!device.startDocument()) return JobOutcome::Failed;
    for (std::uint64_t sheet = 0; sheet < sheets; ++sheet) {
        if (!device.keepGoing(sheet + 1, sheets)) return abandoned(device);
        if (!device.startPage()) return abandoned(device);
        device.drawPage(plan.pageOfSheet(sheet));
        // The printer's abort procedure runs inside EndPage: a cancel there fails the call.
        if (!device.endPage()) return abandoned(device);
    }
    if (!device.endDocument()) return abandoned(device);
    return JobOutcome::Printed;
}

}  // namespace tolvinark
