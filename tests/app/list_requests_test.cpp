#include "app/viewer/list_requests.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

TEST(ListRequests, ScrollBarCodesAskForTheirMoves) {
    const struct {
        int code;
        std::optional<ListMove> move;
    } cases[] = {
        {0, ListMove::LineUp},   {1, ListMove::LineDown}, {2, ListMove::PageUp},
        {3, ListMove::PageDown}, {5, ListMove::ThumbTo},  {0x0301, ListMove::LineDown},
        {4, std::nullopt},                                                    // the box let go
        {6, std::nullopt},       {7, std::nullopt},       {8, std::nullopt},  // ends, end scroll
    };
    for (const auto& c : cases) EXPECT_EQ(scrollBarMove(c.code), c.move) << c.code;
}

TEST(ListRequests, OneWheelNotchEitherWayIsALine) {
    const struct {
        int delta;
        std::optional<ListMove> move;
    } cases[] = {
        {120, ListMove::LineUp},    {112, ListMove::LineUp},    {127, ListMove::LineUp},
        {-120, ListMove::LineDown}, {-113, ListMove::LineDown}, {-128, ListMove::LineDown},
        {111, std::nullopt},        {128, std::nullopt},        {-112, std::nullopt},
        {-129, std::nullopt},       {240, std::nullopt},        {-240, std::nullopt},
        {0, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(wheelMove(c.delta), c.move) << c.delta;
}

}  // namespace
}  // namespace tolvinark
