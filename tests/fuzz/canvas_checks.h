#pragma once
// Checks on a recorded drawing: every position the drawing uses lies in the area drawn into.

#include <variant>

#include "tests/fuzz/fuzz_check.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark::fuzz {

inline bool inside(int x, int y, int width, int height) {
    return x >= 0 && x < width && y >= 0 && y < height;
}

// Lines, moves and text origins inside width x height; fills within it (right and bottom are
// exclusive, so they may reach the edge).
inline void checkInsideArea(const RecordingCanvas& canvas, int width, int height) {
    for (const CanvasCall& call : canvas.calls()) {
        if (const auto* text = std::get_if<TextCall>(&call)) {
            FUZZ_CHECK(inside(text->x, text->y, width, height));
        } else if (const auto* line = std::get_if<LineCall>(&call)) {
            FUZZ_CHECK(inside(line->fromX, line->fromY, width, height));
            FUZZ_CHECK(inside(line->toX, line->toY, width, height));
        } else if (const auto* move = std::get_if<MoveCall>(&call)) {
            FUZZ_CHECK(inside(move->x, move->y, width, height));
        } else if (const auto* fill = std::get_if<FillCall>(&call)) {
            FUZZ_CHECK(0 <= fill->left && fill->left <= fill->right && fill->right <= width);
            FUZZ_CHECK(0 <= fill->top && fill->top <= fill->bottom && fill->bottom <= height);
        }
    }
}

}  // namespace tolvinark::fuzz
