#include "tests/support/recording_canvas.h"

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

TEST(RecordingCanvas, TextAtOnePointOnlyWhenItIsTheOnlyOne) {
    RecordingCanvas canvas;
    canvas.drawText(5, 9, std::string_view("a\0b", 3));
    canvas.drawText(9, 5, "c");
    canvas.drawText(7, 7, "d");
    canvas.drawText(7, 7, "e");
    EXPECT_EQ(canvas.textAt(5, 9), std::string("a\0b", 3));
    EXPECT_EQ(canvas.textAt(9, 5), "c");
    EXPECT_EQ(canvas.textAt(9, 9), "");
    EXPECT_EQ(canvas.textAt(7, 7), "");  // two there: neither is the one
}

TEST(RecordingCanvas, PathAndFirstIndicesFollowTheOrderOfTheCalls) {
    RecordingCanvas canvas;
    canvas.selectFont(Font::Small);
    canvas.drawText(0, 0, "x");
    canvas.selectPen(Pen::Grey);
    canvas.selectPen(Pen::Thick);
    canvas.moveTo(1, 2);
    canvas.lineTo(3, 4);
    canvas.fillRect(0, 0, 1, 1, Brush::White);
    canvas.lineTo(5, 6);

    EXPECT_THAT(canvas.pathLog(),
                ElementsAre("move (1, 2)", "line (1, 2)-(3, 4) Thick", "line (3, 4)-(5, 6) Thick"));
    EXPECT_EQ(canvas.firstIndexOf<TextCall>(), 1);
    EXPECT_EQ(canvas.firstIndexOf<PenSelection>(), 2);
    EXPECT_EQ(canvas.firstIndexOf(PenSelection{Pen::Thick}), 3);
    EXPECT_EQ(canvas.firstIndexOf(MoveCall{1, 2}), 4);
    EXPECT_EQ(canvas.firstIndexOf<LineCall>(), 5);
    EXPECT_EQ(canvas.firstIndexOf(FontSelection{Font::Printer}), -1);
    EXPECT_EQ(canvas.firstIndexOf<TextColourSetting>(), -1);
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
