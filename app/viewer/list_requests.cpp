#include "app/viewer/list_requests.h"

namespace tolvinark {

std::optional<ListMove> scrollBarMove(int code) {
    switch (code & 0xFF) {
        case scroll_code::kLineUp: return ListMove::LineUp;
        case scroll_code::kLineDown: return ListMove::LineDown;
        case scroll_code::kPageUp: return ListMove::PageUp;
        case scroll_code::kPageDown: return ListMove::PageDown;
        case scroll_code::kThumbTrack: return ListMove::ThumbTo;
        default: return std::nullopt;
    }
}

std::optional<ListMove> wheelMove(int wheelDelta) {
    // Only the top twelve bits count: one notch either way, and nothing finer or coarser.
    const int notch = (wheelDelta >= 0 ? wheelDelta : wheelDelta - 15) / 16;
    if (notch == 7) return ListMove::LineUp;
    if (notch == -8) return ListMove::LineDown;
    return std::nullopt;
}

}  // namespace tolvinark
