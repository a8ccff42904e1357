#include "app/viewer/viewer_input.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

TEST(ViewerInput, KeysAreTheirInputsWithCtrlOrWithout) {
    const struct {
        unsigned key;
        bool control;
        ViewerInput input;
    } cases[] = {
        {0x28, false, ViewerInput::ListKey},  // Down
        {0x26, true, ViewerInput::ListKey},   // Ctrl+Up moves the highlight too
        {0x21, false, ViewerInput::ListKey},  // Page Up
        {0x22, false, ViewerInput::ListKey},  // Page Down
        {0x24, false, ViewerInput::ListKey},  // Home
        {0x23, false, ViewerInput::ListKey},  // End
        {0x0D, false, ViewerInput::EnterKey},  {0x0D, true, ViewerInput::EnterKey},
        {0x1B, false, ViewerInput::EscapeKey}, {'O', true, ViewerInput::OpenKey},
        {'O', false, ViewerInput::OtherKey},  // a plain O opens nothing
        {'P', true, ViewerInput::OtherKey},    {0x25, false, ViewerInput::OtherKey},  // Left
        {0x27, false, ViewerInput::OtherKey},                                         // Right
        {0x2D, false, ViewerInput::OtherKey},                                         // Insert
        {'C', true, ViewerInput::CopyKey},     {0x2D, true, ViewerInput::CopyKey},    // Ctrl+Insert
        {'C', false, ViewerInput::OtherKey},  // a plain C copies nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyInput(c.key, c.control), c.input) << c.key << (c.control ? " with Ctrl" : "");
    }
}

TEST(ViewerInput, ListKeysAskForTheirMoves) {
    const struct {
        unsigned key;
        std::optional<ListMove> move;
    } cases[] = {
        {0x28, ListMove::LineDown}, {0x26, ListMove::LineUp}, {0x22, ListMove::PageDown},
        {0x21, ListMove::PageUp},   {0x24, ListMove::Top},    {0x23, ListMove::Bottom},
        {0x0D, std::nullopt},       {0x25, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(listKeyMove(c.key), c.move) << c.key;
}

}  // namespace
}  // namespace tolvinark
