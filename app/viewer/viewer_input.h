#pragma once
// What the viewer's windows are asked to do, in the viewer's own terms: the window procedure
// names each message, command and key by one of these before it asks the busy rule
// (busy_rule.h) and hands it to its handler. Portable, so that the keys are tested where the
// rule is.

#include <optional>

#include "views/list_pane.h"

namespace tolvinark {

enum class ViewerInput {
    Other,         // anything the viewer does not handle itself: the default procedure's
    Paint,         // WM_PAINT
    Scroll,        // the scroll bar or the wheel
    PointerMove,   // WM_MOUSEMOVE
    RecordClick,   // a left press, on the list pane a record click
    RightClick,    // a right press, which prints on the list pane and the detail window
    Drop,          // files dropped
    ExitButton,    // the Exit button's command
    OpenButton,    // the Open button's command
    SeriesToggle,  // the detail window's series toggle button
    ExcelButton,   // the detail window's Excel button
    Close,         // WM_CLOSE: the close box, the system menu, Alt+F4, Escape's own road
    Destroy,       // WM_DESTROY
    ListKey,       // Down, Up, Page Down, Page Up, Home, End: the highlighted row moves
    EnterKey,      // opens the highlighted row's record
    EscapeKey,     // closes the detail window
    OpenKey,       // Ctrl+O: the Open button
    CopyKey,       // Ctrl+C, Ctrl+Insert: the list, or the detail window's measurement
    OtherKey,      // any other key: the default procedure's
    // WM_GETOBJECT: a screen reader asks for a window's object.
    AccessibleObject,
    // A list row's default action, posted to the list pane: opens the row's record.
    AccessibleAction,
    Count,  // not an input: the number of them
};

// Virtual-key codes as the platform numbers them (VK_RETURN and on).
namespace virtual_key {
inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kPageUp = 0x21;    // VK_PRIOR
inline constexpr unsigned kPageDown = 0x22;  // VK_NEXT
inline constexpr unsigned kEnd = 0x23;
inline constexpr unsigned kHome = 0x24;
inline constexpr unsigned kUp = 0x26;
inline constexpr unsigned kDown = 0x28;
inline constexpr unsigned kInsert = 0x2D;
inline constexpr unsigned kLetterC = 'C';
inline constexpr unsigned kLetterO = 'O';
}  // namespace virtual_key

// The input a key press is, with Ctrl held or not.
ViewerInput keyInput(unsigned virtualKey, bool controlHeld);

// The list move a list key asks for; none for any other key.
std::optional<ListMove> listKeyMove(unsigned virtualKey);

}  // namespace tolvinark
