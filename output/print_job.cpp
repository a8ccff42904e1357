#include "output/print_job.h"

#include <algorithm>

#include "data/fixed_texts.h"

namespace tolvinark {

std::uint64_t PrintJobPlan::sheetCount() const {
    if (pages.last < pages.first) return 0;
    const std::uint64_t perCopy = std::uint64_t{pages.last} - pages.first + 1;
    return perCopy * std::max<std::uint32_t>(copies.programCopies, 1);
}

std::uint32_t PrintJobPlan::pageOfSheet(std::uint64_t sheet) const {
    const std::uint64_t perCopy = std::uint64_t{pages.last} - pages.first + 1;
    const std::uint64_t offset = copies.programCollate
                                     ? sheet % perCopy
                                     : sheet / std::max<std::uint32_t>(copies.programCopies, 1);
    return static_cast<std::uint32_t>(pages.first + offset);
}

PrintJobPlan printJobPlan(PageRange pages, const CopiesAsked& asked, const DriverCopies& driver) {
    return {pages, copiesRoad(asked, driver)};
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
    if (!device.setDriverCopies(plan.copies.driverCopies, plan.copies.driverCollate)) {
        return JobOutcome::Failed;
    }
    const DocumentStart start = device.startDocument();
    if (!start.started) {
        // Nothing to abort. A printer's file prompt cancelled, or the user's cancel taken in the
        // abort procedure, which some systems call inside StartDoc.
        const bool cancelled = start.error == kErrorCancelled || device.cancelled();
        return cancelled ? JobOutcome::Cancelled : JobOutcome::Failed;
    }
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
