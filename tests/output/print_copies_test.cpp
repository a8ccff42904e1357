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

TEST(PrintCopies, EachCopyAskedForIsMadeOnce) {
    const struct {
        const char* what;
        CopiesAsked asked;
        DriverCopies driver;
        CopiesRoad road;  // driver copies, collate; program copies, collate
    } cases[] = {
        {"one copy", {1, true}, {99, true}, {1, false, 1, false}},
        {"none asked is one", {0, false}, {1, false}, {1, false, 1, false}},
        {"the driver makes them", {3, false}, {99, false}, {3, false, 1, false}},
        {"and collates them", {3, true}, {99, true}, {3, true, 1, false}},
        {"exactly as many as it can", {99, false}, {99, false}, {99, false, 1, false}},
        {"one more than it can", {100, false}, {99, true}, {1, false, 100, false}},
        {"it cannot collate", {3, true}, {99, false}, {1, false, 3, true}},
        {"it makes none", {2, false}, {1, false}, {1, false, 2, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CopiesRoad road = copiesRoad(c.asked, c.driver);
        EXPECT_EQ(road.driverCopies, c.road.driverCopies);
        EXPECT_EQ(road.driverCollate, c.road.driverCollate);
        EXPECT_EQ(road.programCopies, c.road.programCopies);
        EXPECT_EQ(road.programCollate, c.road.programCollate);
    }
}

}  // namespace
}  // namespace tolvinark
