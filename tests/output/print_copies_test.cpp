#include "output/print_copies.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

TEST(PrintCopies, WhatTheDriverMakesFromItsAnswers) {
    const struct {
        const char* what;
        int dcCopies, dcCollate;
        bool modeHasCopies, modeHasCollate;
        DriverCopies driver;
    } cases[] = {
        {"copies and collation", 9999, 1, true, true, {9999, true}},
        {"copies, no collation", 99, 0, true, true, {99, false}},
        {"one copy only", 1, 1, true, true, {1, true}},
        {"more than the device mode holds", 40000, 1, true, true, {32767, true}},
        {"the calls failed", -1, -1, true, true, {1, false}},
        {"no copies field to ask by", 9999, 1, false, false, {1, false}},
        {"no answer of copies", 0, 0, true, true, {1, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DriverCopies driver =
            driverCopies(c.dcCopies, c.dcCollate, c.modeHasCopies, c.modeHasCollate);
        EXPECT_EQ(driver.maxCopies, c.driver.maxCopies);
        EXPECT_EQ(driver.collates, c.driver.collates);
    }
}

// Which copies the driver and the program make: PrintJob.CopiesGoByTheDriverOrByTheProgramOnce.

}  // namespace
}  // namespace tolvinark
