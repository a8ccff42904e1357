#include "app/viewer/busy_rule.h"

#include <gtest/gtest.h>

#include <set>

namespace tolvinark {
namespace {

// While busy, what would open or close a window, or change what a printout reads or the printer
// it draws on, waits; the rest goes on.
TEST(BusyRule, WhatWaitsWhileAPrintoutOrAMessageBoxIsUp) {
    const struct {
        ViewerInput input;
        bool waits;
    } rows[] = {
        {ViewerInput::RecordClick, true},
        {ViewerInput::RightClick, true},
        {ViewerInput::Drop, true},
        {ViewerInput::OpenButton, true},
        {ViewerInput::SeriesToggle, true},
        {ViewerInput::ExcelButton, true},
        {ViewerInput::Close, true},
        {ViewerInput::EnterKey, true},
        {ViewerInput::EscapeKey, true},
        {ViewerInput::OpenKey, true},
        {ViewerInput::CopyKey, true},
        {ViewerInput::Other, false},
        {ViewerInput::Paint, false},
        {ViewerInput::Scroll, false},
        {ViewerInput::PointerMove, false},
        {ViewerInput::ExitButton, false},
        {ViewerInput::Destroy, false},
        {ViewerInput::ListKey, false},
        {ViewerInput::OtherKey, false},
        {ViewerInput::AccessibleObject, false},
        {ViewerInput::AccessibleAction, true},
    };
    const struct {
        const char* what;
        BusyState busy;
        bool busyNow;
    } states[] = {
        {"idle", {false, false}, false},
        {"printing", {true, false}, true},
        {"a message box", {false, true}, true},
        {"a message box over a printout", {true, true}, true},
    };
    std::set<ViewerInput> decided;
    for (const auto& row : rows) {
        decided.insert(row.input);
        for (const auto& state : states) {
            EXPECT_EQ(heldOff(row.input, state.busy), state.busyNow && row.waits)
                << "input " << static_cast<int>(row.input) << ", " << state.what;
        }
    }
    // A new input is decided here too.
    EXPECT_EQ(decided.size(), static_cast<std::size_t>(ViewerInput::Count));
}

}  // namespace
}  // namespace tolvinark
