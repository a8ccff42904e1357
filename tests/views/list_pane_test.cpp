#include "views/list_pane.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

using test::numberedEntries;

constexpr int kPaneHeight = 340;  // 24 whole rows
const std::string kBlanks(264, ' ');

ListContent contentOf(const std::vector<IndexEntry>& entries) {
    return {entries.data(), static_cast<std::uint32_t>(entries.size())};
}

ScrollState startedList(std::uint32_t count) {
    ScrollState state;
    startList(state, count, kPaneHeight);
    return state;
}

TextCall onBackground(int x, int y, std::string text) {
    return {x, y, std::move(text), Font::Screen, colours::kBlack, colours::kBackground};
}

TEST(ListRows, RowTextsStandAtTheirColumns) {
    IndexEntry entry = test::entryAt(2019, 3, 5, 9, 5);
    entry.mode = 0;
    entry.concentration = 0.123f;
    const std::vector<IndexEntry> entries{entry};
    ScrollState state = startedList(1);

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    EXPECT_THAT(canvas.textsAt(2),
                testing::ElementsAre(onBackground(0, 2, kBlanks), onBackground(7, 2, "05.03.2019"),
                                     onBackground(86, 2, "09:05:00"),
                                     onBackground(144, 2, std::string(texts::kModeName0)),
                                     onBackground(340, 2, std::string(cp1251("0.123  ±  0.024")))));
}

TEST(ListRows, TenRecordsFillTenRowsAndBlankTheOtherFourteen) {
    const auto entries = numberedEntries(10);
    const ScrollState state = startedList(10);
    EXPECT_EQ(state.visibleRows, 24u);
    EXPECT_EQ(state.scrollMaximum, 0);

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    for (int k = 0; k < 10; ++k) {
        const int y = 2 + 14 * k;
        const auto row = canvas.textsAt(y);
        ASSERT_EQ(row.size(), 5u) << "row " << k;
        EXPECT_EQ(row[2].text, std::string(listTimeText(entries[k]).view())) << "row " << k;
    }
    for (int k = 10; k < 24; ++k) {
        const int y = 2 + 14 * k;
        EXPECT_THAT(canvas.textsAt(y), testing::ElementsAre(onBackground(6, y, kBlanks)));
    }
    EXPECT_TRUE(canvas.textsAt(2 + 14 * 24).empty());
}

TEST(ListRows, RowsStartAtTheTopRow) {
    const auto entries = numberedEntries(100);
    ScrollState state = startedList(100);
    state.topRow = 76;

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    for (int k = 0; k < 24; ++k) {
        const auto row = canvas.textsAt(2 + 14 * k);
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[2].text, std::string(listTimeText(entries[76 + k]).view()));
    }
}

TEST(ListRows, HoveredRowHasTheHighlightBackgroundAndOnlyIt) {
    const auto entries = numberedEntries(10);
    ScrollState state = startedList(10);
    hoverAt(state, 20);
    EXPECT_EQ(state.hoverRowTop, 16);

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    for (const TextCall& text : canvas.texts()) {
        const Colour expected = text.y == 16 ? colours::kHighlight : colours::kBackground;
        EXPECT_EQ(text.backgroundColour, expected) << text;
    }
    EXPECT_EQ(canvas.textsAt(16).size(), 5u);
}

TEST(ListRows, HoverOverABlankRowHighlightsNothing) {
    const auto entries = numberedEntries(10);
    ScrollState state = startedList(10);
    hoverAt(state, 14 * 15 + 3);  // row 15, blank

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    for (const TextCall& text : canvas.texts()) {
        EXPECT_EQ(text.backgroundColour, colours::kBackground) << text;
    }
}

TEST(ListRows, MarkedEntryIsDrawnInTheMarkingColour) {
    auto entries = numberedEntries(3);
    entries[1].mark = 1;
    const ScrollState state = startedList(3);

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    ASSERT_FALSE(canvas.textsAt(16).empty());
    ASSERT_FALSE(canvas.textsAt(30).empty());
    for (const TextCall& text : canvas.textsAt(16)) EXPECT_EQ(text.textColour, colours::kMarking);
    for (const TextCall& text : canvas.textsAt(30)) EXPECT_EQ(text.textColour, colours::kBlack);
}

TEST(ListRows, NoRecordsDrawsOnlyBlankRows) {
    ScrollState state = startedList(0);
    EXPECT_EQ(state.scrollMaximum, 0);

    RecordingCanvas canvas;
    drawListRows(canvas, state, ListContent{});

    const auto drawn = canvas.texts();
    ASSERT_EQ(drawn.size(), 24u);
    for (const TextCall& text : drawn) EXPECT_EQ(text, onBackground(6, text.y, kBlanks));
}

TEST(ListRows, AStaleTopRowPastTheEndReadsNoEntry) {
    const auto entries = numberedEntries(5);
    ScrollState state = startedList(100);  // the state of a longer file
    state.topRow = 76;

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));

    EXPECT_EQ(canvas.textsReading(kBlanks).size(), 24u);
    EXPECT_EQ(canvas.texts().size(), 24u);
}

TEST(ListHover, RowTopUnderThePointer) {
    const struct {
        int y;
        int rowTop;
    } cases[] = {{0, 2},     {13, 2},    {14, 16},  {20, 16},
                 {335, 324}, {339, 338}, {-1, -12}, {-14, -12}};
    for (const auto& c : cases) {
        ScrollState state;
        hoverAt(state, c.y);
        EXPECT_EQ(state.hoverRowTop, c.rowTop) << "y " << c.y;
    }
}

TEST(ListStart, VisibleRowsAndScrollMaximum) {
    const struct {
        std::uint32_t count;
        int height;
        std::uint32_t visible;
        std::int32_t maximum;
    } cases[] = {
        {100, 340, 24, 76}, {24, 340, 24, 0},  {25, 340, 24, 1},        {0, 340, 24, 0},
        {100, 13, 0, 100},  {100, -5, 0, 100}, {5000, 4000, 255, 4745},
    };
    for (const auto& c : cases) {
        ScrollState state;
        state.topRow = 50;
        state.hoverRowTop = 30;
        startList(state, c.count, c.height);
        EXPECT_EQ(state.topRow, 0);
        EXPECT_EQ(state.visibleRows, c.visible) << c.count << " " << c.height;
        EXPECT_EQ(state.scrollMaximum, c.maximum) << c.count << " " << c.height;
        EXPECT_EQ(state.hoverRowTop, 30);
    }
}

struct ScrollStep {
    ListMove move;
    std::int32_t topRowAfter;
    bool moved;
};

void runSteps(ScrollState& state, std::uint32_t count, const std::vector<ScrollStep>& steps) {
    int n = 0;
    for (const ScrollStep& step : steps) {
        EXPECT_EQ(scrollList(state, step.move, count), step.moved) << "step " << n;
        EXPECT_EQ(state.topRow, step.topRowAfter) << "step " << n;
        ++n;
    }
}

TEST(ListScroll, PagesOfAHundredRecordsStopAtEitherEnd) {
    ScrollState state = startedList(100);
    runSteps(state, 100,
             {{ListMove::PageDown, 24, true},
              {ListMove::PageDown, 48, true},
              {ListMove::PageDown, 72, true},
              {ListMove::PageDown, 76, true},
              {ListMove::PageDown, 76, false},
              {ListMove::LineDown, 76, false},
              {ListMove::PageUp, 52, true},
              {ListMove::PageUp, 28, true},
              {ListMove::PageUp, 4, true},
              {ListMove::PageUp, 0, true},
              {ListMove::PageUp, 0, false},
              {ListMove::LineUp, 0, false},
              {ListMove::LineDown, 1, true},
              {ListMove::LineUp, 0, true}});
}

TEST(ListScroll, TenRecordsNeverScroll) {
    ScrollState state = startedList(10);
    runSteps(state, 10,
             {{ListMove::LineUp, 0, false},
              {ListMove::LineDown, 0, false},
              {ListMove::PageUp, 0, false},
              {ListMove::PageDown, 0, false}});
    EXPECT_FALSE(scrollList(state, ListMove::ThumbTo, 10, 7));
    EXPECT_EQ(state.topRow, 0);
}

TEST(ListScroll, NoRecordsNeverScroll) {
    ScrollState state = startedList(0);
    for (const ListMove move : {ListMove::LineUp, ListMove::LineDown, ListMove::PageUp,
                                ListMove::PageDown, ListMove::ThumbTo}) {
        EXPECT_FALSE(scrollList(state, move, 0, 3));
        EXPECT_EQ(state.topRow, 0);
    }
}

TEST(ListScroll, ThumbTrackFollowsTheDragWithinTheRange) {
    ScrollState state = startedList(100);
    const struct {
        std::int32_t position;
        std::int32_t topRow;
        bool moved;
    } cases[] = {{50, 50, true}, {50, 50, false}, {1000, 76, true}, {-5, 0, true}, {0, 0, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(scrollList(state, ListMove::ThumbTo, 100, c.position), c.moved) << c.position;
        EXPECT_EQ(state.topRow, c.topRow) << c.position;
    }
}

TEST(ListScroll, ThumbTrackReachesRecordsPastSixtyFiveThousand) {
    const auto entries = numberedEntries(100000);
    ScrollState state = startedList(100000);
    ASSERT_EQ(state.scrollMaximum, 99976);

    EXPECT_TRUE(scrollList(state, ListMove::ThumbTo, 100000, 99976));
    EXPECT_EQ(state.topRow, 99976);

    RecordingCanvas canvas;
    drawListRows(canvas, state, contentOf(entries));
    EXPECT_EQ(canvas.textsAt(2 + 14 * 23)[2].text,
              std::string(listTimeText(entries[99999]).view()));
}

TEST(ListScroll, TheEndsAreNotTheScrollBarsMoves) {
    ScrollState state = startedList(100);
    state.topRow = 40;
    for (const ListMove move : {ListMove::Top, ListMove::Bottom}) {
        EXPECT_FALSE(scrollList(state, move, 100, 10));
        EXPECT_EQ(state.topRow, 40);
    }
}

constexpr std::int32_t highlightOn(int row) {
    return 2 + 14 * row;
}
constexpr std::int32_t kNoHighlight = 0;  // the hover row top at start
constexpr std::int32_t kStrip = 338;      // below the 24th row of a 340-pixel pane

TEST(ListKeys, HighlightAndRowsMoveAsTheKeysAsk) {
    const struct {
        std::uint32_t count;
        std::int32_t top;
        std::int32_t highlight;
        ListMove move;
        std::int32_t topAfter;
        std::int32_t highlightAfter;
    } cases[] = {
        {100, 0, kNoHighlight, ListMove::LineDown, 0, highlightOn(0)},
        {100, 0, kNoHighlight, ListMove::LineUp, 0, highlightOn(23)},
        {100, 0, highlightOn(5), ListMove::LineDown, 0, highlightOn(6)},
        {100, 0, highlightOn(23), ListMove::LineDown, 1, highlightOn(23)},
        {100, 76, highlightOn(23), ListMove::LineDown, 76, highlightOn(23)},  // the last record
        {100, 10, highlightOn(0), ListMove::LineUp, 9, highlightOn(0)},
        {100, 0, highlightOn(0), ListMove::LineUp, 0, highlightOn(0)},  // the first record
        {100, 0, kStrip, ListMove::LineDown, 0, highlightOn(0)},
        {100, 0, kStrip, ListMove::PageDown, 24, kStrip},
        {100, 0, highlightOn(5), ListMove::PageDown, 24, highlightOn(5)},
        {100, 72, highlightOn(5), ListMove::PageDown, 76, highlightOn(5)},
        {100, 76, highlightOn(5), ListMove::PageDown, 76, highlightOn(5)},
        {100, 4, highlightOn(7), ListMove::PageUp, 0, highlightOn(7)},
        {100, 40, kNoHighlight, ListMove::Top, 0, highlightOn(0)},
        {100, 40, highlightOn(3), ListMove::Bottom, 76, highlightOn(23)},
        {100, 76, highlightOn(23), ListMove::Bottom, 76, highlightOn(23)},
        {100, 40, highlightOn(3), ListMove::ThumbTo, 40, highlightOn(3)},
        // Shorter than a page: the bottom row is the last record's, blank rows are no highlight.
        {10, 0, kNoHighlight, ListMove::LineUp, 0, highlightOn(9)},
        {10, 0, highlightOn(9), ListMove::LineDown, 0, highlightOn(9)},
        {10, 0, highlightOn(15), ListMove::LineDown, 0, highlightOn(0)},
        {10, 0, highlightOn(15), ListMove::PageDown, 0, highlightOn(9)},
        // The first blank row, right below the last record.
        {10, 0, highlightOn(10), ListMove::PageDown, 0, highlightOn(9)},
        {10, 0, highlightOn(10), ListMove::PageUp, 0, highlightOn(9)},
        {10, 0, highlightOn(10), ListMove::LineDown, 0, highlightOn(0)},
        {10, 0, highlightOn(10), ListMove::LineUp, 0, highlightOn(9)},
        {10, 0, highlightOn(4), ListMove::Bottom, 0, highlightOn(9)},
        {0, 0, kNoHighlight, ListMove::LineDown, 0, kNoHighlight},
        {0, 0, kNoHighlight, ListMove::Bottom, 0, kNoHighlight},
        // Past 65,535 records.
        {100000, 0, highlightOn(2), ListMove::Bottom, 99976, highlightOn(23)},
        {100000, 70000, highlightOn(23), ListMove::LineDown, 70001, highlightOn(23)},
        {100000, 99970, highlightOn(1), ListMove::PageDown, 99976, highlightOn(1)},
    };
    for (const auto& c : cases) {
        ScrollState state = startedList(c.count);
        state.topRow = c.top;
        state.hoverRowTop = c.highlight;
        const bool changed = moveHighlight(state, c.move, c.count);
        const std::string what = "case " + std::to_string(&c - cases);
        EXPECT_EQ(state.topRow, c.topAfter) << what;
        EXPECT_EQ(state.hoverRowTop, c.highlightAfter) << what;
        EXPECT_EQ(changed, c.topAfter != c.top || c.highlightAfter != c.highlight) << what;
    }
}

TEST(ListKeys, HoldingDownVisitsEveryRecordThenStops) {
    ScrollState state = startedList(100);
    for (std::uint32_t record = 0; record < 100; ++record) {
        EXPECT_TRUE(moveHighlight(state, ListMove::LineDown, 100));
        EXPECT_EQ(highlightedRecord(state, 100), record);
        EXPECT_EQ(state.topRow, std::max(0, static_cast<int>(record) - 23));
    }
    EXPECT_FALSE(moveHighlight(state, ListMove::LineDown, 100));
    EXPECT_EQ(highlightedRecord(state, 100), 99u);
}

TEST(ListKeys, HighlightedRecordOnlyOnARowWithARecord) {
    ScrollState state = startedList(100000);
    state.topRow = 99976;
    state.hoverRowTop = highlightOn(23);
    EXPECT_EQ(highlightedRecord(state, 100000), 99999u);
    for (const std::int32_t highlight :
         {kNoHighlight, kStrip, highlightOn(-1), highlightOn(3) + 1}) {
        state.hoverRowTop = highlight;
        EXPECT_EQ(highlightedRecord(state, 100000), std::nullopt) << highlight;
    }
    state = startedList(10);
    state.hoverRowTop = highlightOn(10);
    EXPECT_EQ(highlightedRecord(state, 10), std::nullopt);
}

TEST(ListClick, RowUnderTheClickGivesTheRecord) {
    const auto entries = numberedEntries(100);
    ScrollState state = startedList(100);
    state.topRow = 5;
    const auto content = contentOf(entries);

    EXPECT_EQ(recordAtClick(state, 20, content), 6u);
    EXPECT_EQ(recordAtClick(state, 0, content), 5u);
    EXPECT_EQ(recordAtClick(state, 13, content), 5u);
    EXPECT_EQ(recordAtClick(state, 14 * 23 + 13, content), 28u);
}

TEST(ListClick, RowsWithoutARecordGiveNothing) {
    const auto ten = numberedEntries(10);
    const auto hundred = numberedEntries(100);
    const ScrollState tenState = startedList(10);
    const ScrollState hundredState = startedList(100);

    EXPECT_EQ(recordAtClick(tenState, 14 * 9, contentOf(ten)), 9u);
    EXPECT_EQ(recordAtClick(tenState, 14 * 10, contentOf(ten)), std::nullopt);
    EXPECT_EQ(recordAtClick(tenState, -1, contentOf(ten)), std::nullopt);
    // The strip below the last whole row (y 336 to 339 of a 340-pixel pane) shows no row, though
    // record 24 would be the next one.
    EXPECT_EQ(recordAtClick(hundredState, 335, contentOf(hundred)), 23u);
    EXPECT_EQ(recordAtClick(hundredState, 336, contentOf(hundred)), std::nullopt);
    EXPECT_EQ(recordAtClick(startedList(0), 5, ListContent{}), std::nullopt);
}

TEST(InfoPane, LabelsAndColumnHeaderAtTheirPlaces) {
    RecordingCanvas labels;
    drawInfoLabels(labels);
    EXPECT_THAT(labels.texts(),
                testing::ElementsAre(onBackground(10, 6, std::string(cp1251("Файл:"))),
                                     onBackground(10, 30, std::string(cp1251("Записей:"))),
                                     onBackground(10, 54, std::string(cp1251("Прибор:")))));

    RecordingCanvas header;
    drawHeaderPane(header);
    const auto drawn = header.texts();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], onBackground(10, 4, std::string(texts::kListColumnHeader)));
    EXPECT_EQ(drawn[0].text.size(), 95u);
}

TEST(InfoPane, EachValueIsDrawnOverBlanksThatClearTheLastOne) {
    RecordingCanvas canvas;
    drawInfoValues(canvas, "C:\\lab\\long name.dst", 1000000, 123456);
    canvas.clearCalls();
    // The name is drawn as a name, its UTF-8 whole, never taken for code page 1251 bytes.
    const std::string name = "D:\\Замеры 2019\\测量 3.dst";
    drawInfoValues(canvas, name, 5, 7);
    TextCall drawnName = onBackground(84, 6, name);
    drawnName.fileName = true;

    EXPECT_THAT(canvas.texts(),
                testing::ElementsAre(
                    onBackground(84, 6, std::string(256, ' ')), drawnName,
                    onBackground(74, 30, std::string(256, ' ')), onBackground(74, 30, "    5  "),
                    onBackground(80, 54, std::string(256, ' ')), onBackground(80, 54, "7")));
}

}  // namespace
}  // namespace tolvinark
