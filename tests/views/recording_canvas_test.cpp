#include "views/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/cp1251.h"

namespace tolvinark {
namespace {

using testing::ElementsAre;

TEST(RecordingCanvas, TextsCarryTheStateInForceWhenDrawn) {
    RecordingCanvas canvas;
    canvas.drawText(1, 2, "a");
    canvas.selectFont(Font::Small);
    canvas.setTextColour(colours::kRed);
    canvas.setBackgroundColour(colours::kHighlight);
    canvas.drawText(3, 4, std::string_view("b\0c", 3));

    EXPECT_THAT(canvas.texts(),
                ElementsAre(TextCall{1, 2, "a", std::nullopt, colours::kBlack, colours::kWhite},
                            TextCall{3, 4, std::string("b\0c", 3), Font::Small, colours::kRed,
                                     colours::kHighlight}));
}

TEST(RecordingCanvas, LinesRunFromTheCurrentPointWithThePenInForce) {
    DrawingState start;
    start.pen = Pen::Grey;
    RecordingCanvas canvas(start);
    canvas.lineTo(5, 6);
    canvas.moveTo(10, 10);
    canvas.lineTo(20, 10);
    canvas.selectPen(Pen::Red);
    canvas.lineTo(20, 30);

    EXPECT_THAT(canvas.lines(),
                ElementsAre(LineCall{0, 0, 5, 6, Pen::Grey}, LineCall{10, 10, 20, 10, Pen::Grey},
                            LineCall{20, 10, 20, 30, Pen::Red}));
    EXPECT_THAT(canvas.linesWith(Pen::Red), ElementsAre(LineCall{20, 10, 20, 30, Pen::Red}));
}

TEST(RecordingCanvas, LogDescribesEveryCallInOrderInUtf8) {
    RecordingCanvas canvas;
    canvas.fillRect(0, 0, 278, 174, Brush::Background);
    canvas.selectPen(Pen::Thick);
    canvas.selectFont(Font::Printer);
    canvas.setBackgroundColour(colours::kBackground);
    canvas.moveTo(1, 2);
    canvas.lineTo(3, 4);
    canvas.drawText(7, 2, cp1251("Файл:"));

    EXPECT_THAT(canvas.log(),
                ElementsAre("fill (0, 0)-(278, 174) Background", "pen Thick", "font Printer",
                            "background colour F0FCFC", "move (1, 2)", "line (1, 2)-(3, 4) Thick",
                            "text (7, 2) \"Файл:\" Printer 000000 on F0FCFC"));
}

TEST(RecordingCanvas, ClearingKeepsTheState) {
    RecordingCanvas canvas;
    canvas.selectFont(Font::Screen);
    canvas.drawText(0, 0, "x");
    canvas.clearCalls();
    canvas.drawText(0, 0, "y");
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.texts()[0].font, Font::Screen);
    EXPECT_EQ(canvas.textsReading("y").size(), 1u);
    EXPECT_TRUE(canvas.textsReading("x").empty());
}

}  // namespace
}  // namespace tolvinark
