#pragma once
// The one rule for what the viewer holds off while it is busy: while a print dialog, a printout
// or one of its message boxes is up. Each runs a modal loop that still hands the viewer's windows
// their messages. Those that would open or close a window, or change what a printout reads or
// the printer it draws on, do nothing until it is over; painting and scrolling go on, and the
// Exit button still ends the program (cancelling a printout). Portable, so the table is tested
// where it is written.
//
// A new input: name it in ViewerInput (viewer_input.h), give it its row here, in the enum's
// order (the build checks), and a row in the busy rule's test.

#include <cstddef>
#include <iterator>

#include "app/viewer/viewer_input.h"

namespace tolvinark {

// What the viewer is in the middle of; a message box may stand over a printout.
struct BusyState {
    bool printing = false;    // a print dialog or a printout
    bool messageBox = false;  // a message box of the viewer
};

enum class HeldOff {
    Never,
    WhileBusy,  // while a print dialog, a printout or a message box is up
};

struct BusyRuleRow {
    ViewerInput input;
    HeldOff heldOff;
};

inline constexpr BusyRuleRow kBusyRule[] = {
    {ViewerInput::Other, HeldOff::Never},
    {ViewerInput::Paint, HeldOff::Never},
    {ViewerInput::Scroll, HeldOff::Never},
    {ViewerInput::PointerMove, HeldOff::Never},
    // A click reads a record into the buffer a protocol printout reads and builds a new detail
    // window, which lets go of the held printer.
    {ViewerInput::RecordClick, HeldOff::WhileBusy},
    // A second print dialog or printout inside the first.
    {ViewerInput::RightClick, HeldOff::WhileBusy},
    // An open frees the record index a list printout reads.
    {ViewerInput::Drop, HeldOff::WhileBusy},
    // Ends the program; a printout is cancelled first.
    {ViewerInput::ExitButton, HeldOff::Never},
    {ViewerInput::OpenButton, HeldOff::WhileBusy},
    {ViewerInput::SeriesToggle, HeldOff::WhileBusy},
    {ViewerInput::ExcelButton, HeldOff::WhileBusy},
    // The window a dialog, progress window or message box belongs to stays until it is over.
    {ViewerInput::Close, HeldOff::WhileBusy},
    {ViewerInput::Destroy, HeldOff::Never},
    {ViewerInput::ListKey, HeldOff::Never},
    {ViewerInput::EnterKey, HeldOff::WhileBusy},
    {ViewerInput::EscapeKey, HeldOff::WhileBusy},
    {ViewerInput::OpenKey, HeldOff::WhileBusy},
    // A copy of a large list takes seconds and may end in a message box of its own.
    {ViewerInput::CopyKey, HeldOff::WhileBusy},
    {ViewerInput::OtherKey, HeldOff::Never},
    // A screen reader reads the windows whatever runs.
    {ViewerInput::AccessibleObject, HeldOff::Never},
    // Opens a record, as Enter does.
    {ViewerInput::AccessibleAction, HeldOff::WhileBusy},
};

constexpr bool rowsInInputOrder() {
    if (std::size(kBusyRule) != static_cast<std::size_t>(ViewerInput::Count)) return false;
    for (std::size_t row = 0; row < std::size(kBusyRule); ++row) {
        if (kBusyRule[row].input != static_cast<ViewerInput>(row)) return false;
    }
    return true;
}
static_assert(rowsInInputOrder(), "one row of the busy rule per input, in the enum's order");

// Whether `input` does nothing now.
constexpr bool heldOff(ViewerInput input, const BusyState& busy) {
    const bool busyNow = busy.printing || busy.messageBox;
    return busyNow && kBusyRule[static_cast<std::size_t>(input)].heldOff == HeldOff::WhileBusy;
}

}  // namespace tolvinark
