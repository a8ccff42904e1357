#include "app/viewer/viewer_input.h"

namespace tolvinark {

std::optional<ListMove> listKeyMove(unsigned virtualKey) {
    switch (virtualKey) {
        case virtual_key::kDown: return ListMove::LineDown;
        case virtual_key::kUp: return ListMove::LineUp;
        case virtual_key::kPageDown: return ListMove::PageDown;
        case virtual_key::kPageUp: return ListMove::PageUp;
        case virtual_key::kHome: return ListMove::Top;
        case virtual_key::kEnd: return ListMove::Bottom;
        default: return std::nullopt;
    }
}

ViewerInput keyInput(unsigned virtualKey, bool controlHeld) {
    // The list keys move the highlight with Ctrl held too.
    if (listKeyMove(virtualKey)) return ViewerInput::ListKey;
    switch (virtualKey) {
        case virtual_key::kReturn: return ViewerInput::EnterKey;
        case virtual_key::kEscape: return ViewerInput::EscapeKey;
        case virtual_key::kLetterO:
            return controlHeld ? ViewerInput::OpenKey : ViewerInput::OtherKey;
        case virtual_key::kLetterC:
        case virtual_key::kInsert:
            return controlHeld ? ViewerInput::CopyKey : ViewerInput::OtherKey;
        default: return ViewerInput::OtherKey;
    }
}

}  // namespace tolvinark
