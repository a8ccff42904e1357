#include "output/print_copies.h"

#include <algorithm>

namespace tolvinark {

DriverCopies driverCopies(int dcCopiesAnswer, int dcCollateAnswer, bool modeHasCopies,
                          bool modeHasCollate) {
    DriverCopies driver;
    if (modeHasCopies && dcCopiesAnswer > 1) {
        driver.maxCopies = std::min(static_cast<std::uint32_t>(dcCopiesAnswer), kMaxDriverCopies);
    }
    driver.collates = modeHasCollate && dcCollateAnswer == 1;
    return driver;
}

CopiesRoad copiesRoad(const CopiesAsked& asked, const DriverCopies& driver) {
    const std::uint32_t copies = std::max<std::uint32_t>(asked.copies, 1);
    CopiesRoad road;
    if (copies == 1) return road;
    // Uncollated copies, page by page, are what a driver makes without collating.
    const bool driverOrder = !asked.collate || driver.collates;
    if (copies <= driver.maxCopies && driverOrder) {
        road.driverCopies = copies;
        road.driverCollate = asked.collate;
    } else {
        road.programCopies = copies;
        road.programCollate = asked.collate;
    }
    return road;
}

}  // namespace tolvinark
