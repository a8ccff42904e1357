#include "views/series_graph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fixed_texts.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

using test::TestRecord;
using test::timedRecord;
using testing::ElementsAre;

constexpr int kClientWidth = 568;
constexpr int kClientHeight = 392;

// The state the detail window leaves before the graph.
DrawingState detailState() {
    DrawingState state;
    state.pen = Pen::Grey;
    state.font = Font::Screen;
    state.textColour = colours::kBlack;
    state.backgroundColour = colours::kBackground;
    return state;
}

RecordingCanvas drawnGraph(const FileRecord& record, Series series = Series::Ci) {
    RecordingCanvas canvas(detailState());
    drawSeriesGraph(canvas, record, series, kClientWidth, kClientHeight);
    return canvas;
}

TextCall axisLabel(int y, std::string text) {
    return {10, y, std::move(text), Font::Screen, colours::kBlack, colours::kBackground};
}

TextCall tickLabel(int x, std::string text) {
    return {x, 375, std::move(text), Font::Small, colours::kBlack, colours::kBackground};
}

LineCall bar(int x, int top) {
    return {x, top, x, 368, Pen::Red};
}

std::vector<TextCall> textsIn(const RecordingCanvas& canvas, Font font) {
    std::vector<TextCall> out;
    for (const TextCall& text : canvas.texts()) {
        if (text.font == font) out.push_back(text);
    }
    return out;
}

// The black lines after the axes and the four y ticks: the x ticks.
std::vector<LineCall> xTicks(const RecordingCanvas& canvas) {
    const auto black = canvas.linesWith(Pen::Black);
    return {black.begin() + 6, black.end()};
}

FileRecord fullRecordOf(std::int16_t value) {
    TestRecord record = TestRecord().pointCount(128);
    for (std::size_t i = 0; i < 128; ++i) record.point(Series::Ci, i, value);
    return record;
}

TEST(GraphScale, AxisMaximumIsTheNextMultipleOfTenAtLeastTen) {
    const struct {
        std::int16_t largest;
        std::int32_t maximum;
        std::uint32_t axis;
        std::uint32_t factor;
    } cases[] = {
        {0, 0, 10, 5120},         {-7, 0, 10, 5120},        {10, 10, 10, 5120},
        {11, 11, 20, 2560},       {30, 30, 30, 1706},       {250, 250, 250, 204},
        {251, 251, 260, 196},     {32760, 32760, 32760, 1}, {32761, 32761, 32770, 1},
        {32767, 32767, 32770, 1},
    };
    for (const auto& c : cases) {
        const GraphScale scale = graphScale(timedRecord(2, {c.largest, -3}), Series::Ci);
        EXPECT_EQ(scale.maximum, c.maximum) << c.largest;
        EXPECT_EQ(scale.axisMaximum, c.axis) << c.largest;
        EXPECT_EQ(scale.scaleFactor, c.factor) << c.largest;
    }
}

TEST(GraphScale, OnlyTheFirstPointsOfTheChosenSeriesCount) {
    const FileRecord record = timedRecord(2, {5, 40, 900}, {300, 7});
    EXPECT_EQ(graphScale(record, Series::Ci).axisMaximum, 40u);
    EXPECT_EQ(graphScale(record, Series::Cd).axisMaximum, 300u);
}

TEST(SeriesGraph, FrameAxesAndTicksInOrder) {
    const RecordingCanvas canvas = drawnGraph(timedRecord(0, {}));
    const auto log = canvas.log();
    ASSERT_GE(log.size(), 16u);
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 16),
                ElementsAre("fill (10, 162)-(568, 392) White", "pen Black", "move (40, 166)",
                            "line (40, 166)-(40, 370) Black", "line (40, 370)-(560, 370) Black",
                            "move (38, 170)", "line (38, 170)-(42, 170) Black", "move (38, 220)",
                            "line (38, 220)-(42, 220) Black", "move (38, 270)",
                            "line (38, 270)-(42, 270) Black", "move (38, 320)",
                            "line (38, 320)-(42, 320) Black", "font Screen",
                            "text (10, 162) \"0.10\" Screen 000000 on F0FCFC",
                            "text (10, 262) \"0.05\" Screen 000000 on F0FCFC"));
}

TEST(SeriesGraph, AllZeroValuesDrawTicksButNoBars) {
    const RecordingCanvas canvas = drawnGraph(fullRecordOf(0));
    EXPECT_THAT(textsIn(canvas, Font::Screen),
                ElementsAre(axisLabel(162, "0.10"), axisLabel(262, "0.05"), axisLabel(312, "0.02"),
                            axisLabel(212, "0.07"),
                            TextCall{46, 156, std::string(texts::kSeriesLabelCi), Font::Screen,
                                     colours::kBlack, colours::kBackground}));
    EXPECT_TRUE(canvas.linesWith(Pen::Red).empty());
    EXPECT_EQ(xTicks(canvas).size(), 128u);
}

TEST(SeriesGraph, AxisLabelsFollowTheAxisMaximum) {
    const struct {
        std::int16_t largest;
        const char* labels[4];  // at y 162, 262, 312, 212
    } cases[] = {
        {11, {"0.20", "0.10", "0.05", "0.15"}},
        {30, {"0.30", "0.15", "0.07", "0.22"}},
        {251, {"2.60", "1.30", "0.65", "1.95"}},
        {32767, {"327.70", "163.85", "81.92", "245.77"}},
    };
    for (const auto& c : cases) {
        const RecordingCanvas canvas = drawnGraph(timedRecord(2, {c.largest, 3}));
        EXPECT_THAT(
            textsIn(canvas, Font::Screen),
            testing::IsSupersetOf({axisLabel(162, c.labels[0]), axisLabel(262, c.labels[1]),
                                   axisLabel(312, c.labels[2]), axisLabel(212, c.labels[3])}))
            << c.largest;
    }
}

TEST(SeriesGraph, BarHeightsScaleToTheTopTick) {
    // 10 reaches the top tick; with the axis at 260, 1 is a stub of height 0 and 0 draws nothing.
    EXPECT_THAT(drawnGraph(timedRecord(3, {10, 5, 0})).linesWith(Pen::Red),
                ElementsAre(bar(44, 170), bar(48, 270)));
    EXPECT_THAT(drawnGraph(timedRecord(3, {251, 1, 0})).linesWith(Pen::Red),
                ElementsAre(bar(44, 178), bar(48, 370)));  // 196 x 251 / 256 = 192
    EXPECT_THAT(drawnGraph(timedRecord(2, {30, 15})).linesWith(Pen::Red),
                ElementsAre(bar(44, 171), bar(48, 271)));  // 1706 x 30 / 256 = 199
}

TEST(SeriesGraph, NegativeValuesDrawNoBarAndDoNotRaiseTheAxis) {
    const RecordingCanvas canvas = drawnGraph(timedRecord(4, {-5, 20, -32768, -1}));
    EXPECT_THAT(canvas.linesWith(Pen::Red), ElementsAre(bar(48, 170)));
    EXPECT_EQ(textsIn(canvas, Font::Screen)[0], axisLabel(162, "0.20"));
    EXPECT_EQ(xTicks(canvas).size(), 4u);
}

TEST(SeriesGraph, LargestValuesKeepTheirBarsInsideThePlot) {
    FileRecord record = fullRecordOf(32767);
    storeU16(record, record_offset::kCiSeries + 2, 32000);
    const auto bars = drawnGraph(record).linesWith(Pen::Red);
    ASSERT_EQ(bars.size(), 128u);
    for (const LineCall& line : bars) {
        EXPECT_GE(line.fromY, 170) << line;
        EXPECT_LE(line.fromY, 370) << line;
        EXPECT_EQ(line.toY, 368) << line;
    }
    EXPECT_EQ(bars[0], bar(44, 370 - 127));  // scale factor 1: 32767 / 256
}

TEST(SeriesGraph, FourPointsHaveOnlyShortTicks) {
    const RecordingCanvas canvas = drawnGraph(timedRecord(4, {1, 2, 3, 4}));
    EXPECT_THAT(xTicks(canvas), ElementsAre(LineCall{44, 370, 44, 372, Pen::Black},
                                            LineCall{48, 370, 48, 372, Pen::Black},
                                            LineCall{52, 370, 52, 372, Pen::Black},
                                            LineCall{56, 370, 56, 372, Pen::Black}));
    EXPECT_TRUE(textsIn(canvas, Font::Small).empty());
}

TEST(SeriesGraph, FifthPointHasALongLabelledTick) {
    const RecordingCanvas canvas = drawnGraph(timedRecord(5, {1, 2, 3, 4, 5}));
    EXPECT_EQ(xTicks(canvas).back(), (LineCall{60, 370, 60, 376, Pen::Black}));
    EXPECT_THAT(textsIn(canvas, Font::Small), ElementsAre(tickLabel(56, "25")));
}

TEST(SeriesGraph, FullSeriesLabelsEveryFifthPointInMinutes) {
    const RecordingCanvas canvas = drawnGraph(fullRecordOf(7));
    const auto labels = textsIn(canvas, Font::Small);
    ASSERT_EQ(labels.size(), 25u);
    for (int j = 1; j <= 25; ++j) {
        const int tickX = 40 + 20 * j;  // point 5j - 1
        const int minutes = 25 * j;
        EXPECT_EQ(labels[j - 1],
                  tickLabel(minutes < 100 ? tickX - 4 : tickX - 8, std::to_string(minutes)));
    }
    EXPECT_EQ(labels.back().x, 532);
    const auto ticks = xTicks(canvas);
    ASSERT_EQ(ticks.size(), 128u);
    EXPECT_EQ(ticks.back(), (LineCall{552, 370, 552, 372, Pen::Black}));
    EXPECT_EQ(canvas.linesWith(Pen::Red).back(), bar(552, 370 - 7 * 5120 / 256));
}

TEST(SeriesGraph, SeriesLabelAndValuesFollowTheChosenSeries) {
    const FileRecord record = timedRecord(2, {10, 10}, {40, 20});
    const RecordingCanvas ci = drawnGraph(record, Series::Ci);
    const RecordingCanvas cd = drawnGraph(record, Series::Cd);

    EXPECT_EQ(ci.textsReading(texts::kSeriesLabelCi).size(), 1u);
    EXPECT_TRUE(ci.textsReading(texts::kSeriesLabelCd).empty());
    ASSERT_EQ(cd.textsReading(texts::kSeriesLabelCd).size(), 1u);
    EXPECT_EQ(cd.textsReading(texts::kSeriesLabelCd)[0].x, 46);
    EXPECT_EQ(cd.textsReading(texts::kSeriesLabelCd)[0].y, 156);
    EXPECT_THAT(cd.linesWith(Pen::Red), ElementsAre(bar(44, 170), bar(48, 270)));
}

TEST(SeriesGraph, PointCountsOutsideTheSeriesRoom) {
    const struct {
        std::uint16_t count;
        std::size_t drawn;
    } cases[] = {{0, 0}, {1, 1}, {128, 128}, {129, 128}, {65535, 128}};
    for (const auto& c : cases) {
        FileRecord record = fullRecordOf(10);
        storeU16(record, record_offset::kPointCount, c.count);
        const RecordingCanvas canvas = drawnGraph(record);
        EXPECT_EQ(canvas.linesWith(Pen::Red).size(), c.drawn) << c.count;
        EXPECT_EQ(xTicks(canvas).size(), c.drawn) << c.count;
        EXPECT_EQ(canvas.state().pen, Pen::Black);
        EXPECT_EQ(canvas.state().font, Font::Small);
    }
}

}  // namespace
}  // namespace tolvinark
