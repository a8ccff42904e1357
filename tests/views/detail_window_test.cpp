#include "views/detail_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

using test::TestRecord;
using testing::ElementsAre;

constexpr int kSmallClientWidth = 272;
constexpr int kSmallClientHeight = 148;
constexpr int kLargeClientWidth = 568;
constexpr int kLargeClientHeight = 392;

TextCall screenText(int x, int y, std::string_view text) {
    return {x, y, std::string(text), Font::Screen, colours::kBlack, colours::kBackground};
}

FileRecord recordOfMode(std::uint16_t mode) {
    return TestRecord()
        .pointCount(3)
        .points(Series::Ci, {10, 20, 30})
        .points(Series::Cd, {5, 5, 5})
        .mode(mode);
}

RecordingCanvas drawnWindow(const FileRecord& record, std::uint16_t shownMode,
                            Series series = Series::Ci) {
    RecordingCanvas canvas;
    const bool large = modeHasSeries(shownMode);
    drawDetailWindow(canvas, record, shownMode, series,
                     large ? kLargeClientWidth : kSmallClientWidth,
                     large ? kLargeClientHeight : kSmallClientHeight);
    return canvas;
}

TEST(DetailWindow, OnlyTimedMeasurementsHaveSeriesAndTheLargeWindow) {
    for (std::uint16_t mode : {0, 1, 3, 4, 255, 65535}) {
        EXPECT_FALSE(modeHasSeries(mode)) << mode;
        const WindowSize size = detailWindowOuterSize(mode);
        EXPECT_EQ(size.width, 278) << mode;
        EXPECT_EQ(size.height, 174) << mode;
    }
    EXPECT_TRUE(modeHasSeries(2));
    EXPECT_EQ(detailWindowOuterSize(2).width, 574);
    EXPECT_EQ(detailWindowOuterSize(2).height, 418);
}

TEST(DetailWindow, BackgroundAndDrawingStateComeFirst) {
    const auto log = drawnWindow(recordOfMode(0), 0).log();
    ASSERT_GE(log.size(), 11u);
    EXPECT_THAT(
        std::vector<std::string>(log.begin(), log.begin() + 11),
        ElementsAre("fill (0, 0)-(272, 148) Background", "pen Grey", "text colour 000000",
                    "background colour F0FCFC", "font Screen", "move (4, 20)",
                    "line (4, 20)-(270, 20) Grey", "move (4, 100)", "line (4, 100)-(270, 100) Grey",
                    "text (80, 28) \" Экспрес - измерение 30  \" Screen 000000 on F0FCFC",
                    "text (40, 4) \" Измерение: \" Screen 000000 on F0FCFC"));
}

TEST(DetailWindow, TextsOfAnExpressMeasurement) {
    const FileRecord record = recordOfMode(1);
    const RecordingCanvas canvas = drawnWindow(record, 1);

    EXPECT_THAT(canvas.texts(), ElementsAre(screenText(80, 28, texts::kModeName1),
                                            screenText(40, 4, texts::kMeasurementLabel),
                                            screenText(114, 4, dateTimeHeader(record).view()),
                                            screenText(88, 70, concentrationLine(record, 1).view()),
                                            screenText(44, 112, climateLine(record).view())));
    EXPECT_EQ(canvas.lines().size(), 2u);
    EXPECT_EQ(canvas.fills().size(), 1u);
}

TEST(DetailWindow, ModeNameByShownMode) {
    const struct {
        std::uint16_t mode;
        std::string_view name;
    } cases[] = {
        {0, texts::kModeName0},         {1, texts::kModeName1},     {2, texts::kModeName2},
        {3, texts::kDetailModeName3},   {4, texts::kOtherModeName}, {255, texts::kOtherModeName},
        {65535, texts::kOtherModeName},
    };
    for (const auto& c : cases) {
        const auto atModeName = drawnWindow(recordOfMode(c.mode), c.mode).textsAt(28);
        ASSERT_EQ(atModeName.size(), 1u) << c.mode;
        EXPECT_EQ(atModeName[0], screenText(80, 28, c.name)) << c.mode;
        EXPECT_EQ(atModeName[0].text.size(), 25u) << c.mode;
    }
}

TEST(DetailWindow, ConcentrationLineUsesTheShownMode) {
    // A record stored as mode 0 shown as mode 3 takes the error factor of mode 3.
    FileRecord record = recordOfMode(0);
    storeFloat(record, record_offset::kConcentration, 1.234f);
    const auto line = drawnWindow(record, 3).textsAt(70);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0], screenText(88, 70, concentrationLine(record, 3).view()));
    EXPECT_NE(line[0].text, std::string(concentrationLine(record, 0).view()));
}

TEST(DetailWindow, TimedMeasurementClosesTheSeriesPartAndDrawsTheGraph) {
    const FileRecord record = recordOfMode(2);
    const RecordingCanvas canvas = drawnWindow(record, 2);

    EXPECT_THAT(
        canvas.linesWith(Pen::Grey),
        ElementsAre(LineCall{4, 20, 270, 20, Pen::Grey}, LineCall{4, 100, 270, 100, Pen::Grey},
                    LineCall{4, 140, 274, 140, Pen::Grey}, LineCall{274, 140, 274, 10, Pen::Grey}));
    EXPECT_THAT(canvas.textsAt(48), ElementsAre(screenText(80, 48, durationLine(record).view())));
    EXPECT_THAT(
        canvas.fills(),
        ElementsAre(FillCall{0, 0, kLargeClientWidth, kLargeClientHeight, Brush::Background},
                    FillCall{10, 162, kLargeClientWidth, kLargeClientHeight, Brush::White}));
    EXPECT_EQ(canvas.linesWith(Pen::Red).size(), 3u);
    EXPECT_EQ(canvas.textsReading(texts::kSeriesLabelCi).size(), 1u);

    // The record texts come before the graph, whose first text is the top axis label.
    const auto drawn = canvas.texts();
    ASSERT_GE(drawn.size(), 7u);
    EXPECT_EQ(drawn[5], screenText(44, 112, climateLine(record).view()));
    EXPECT_EQ(drawn[6], screenText(10, 162, "0.30"));
}

TEST(DetailWindow, OtherModesHaveNoDurationLineAndNoGraph) {
    for (std::uint16_t mode : {0, 1, 3, 4}) {
        const RecordingCanvas canvas = drawnWindow(recordOfMode(mode), mode);
        EXPECT_TRUE(canvas.textsAt(48).empty()) << mode;
        EXPECT_TRUE(canvas.linesWith(Pen::Red).empty()) << mode;
        EXPECT_TRUE(canvas.linesWith(Pen::Black).empty()) << mode;
        EXPECT_EQ(canvas.linesWith(Pen::Grey).size(), 2u) << mode;
    }
}

TEST(DetailWindow, SeriesChoiceReachesTheGraph) {
    const RecordingCanvas canvas = drawnWindow(recordOfMode(2), 2, Series::Cd);
    EXPECT_EQ(canvas.textsReading(texts::kSeriesLabelCd).size(), 1u);
    EXPECT_EQ(canvas.textsAt(162).back().text, "0.10");  // Cd holds only 5s
}

}  // namespace
}  // namespace tolvinark
