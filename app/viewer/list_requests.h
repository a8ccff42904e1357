#pragma once
// The platform's scroll requests in the list's own terms: scroll bar codes and wheel turns
// become list moves. Portable, so that the numbers are tested where the list is.

#include <cstdint>
#include <optional>

#include "views/list_pane.h"

namespace tolvinark {

// Scroll bar request codes as the platform numbers them (SB_LINEUP and on).
namespace scroll_code {
inline constexpr int kLineUp = 0;
inline constexpr int kLineDown = 1;
inline constexpr int kPageUp = 2;
inline constexpr int kPageDown = 3;
inline constexpr int kThumbTrack = 5;
}  // namespace scroll_code

// The move a scroll bar request asks for, from the low byte of its code; the box let go, the
// scroll's end and the ends of the bar ask for none.
std::optional<ListMove> scrollBarMove(int code);

// One wheel notch (delta 112..127 away from the user, -128..-113 towards) is a line up or down;
// any other delta asks for no move and is left to the default window procedure.
std::optional<ListMove> wheelMove(int wheelDelta);

}  // namespace tolvinark
