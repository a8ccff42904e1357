#include "views/detail_accessibility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_records.h"
#include "tests/views/accessibility_checks.h"

namespace tolvinark {
namespace {

using accessible_state::kReadOnly;

std::vector<std::string> namesOf(const std::vector<AccessibleElement>& elements) {
    std::vector<std::string> names;
    for (const AccessibleElement& element : elements) {
        EXPECT_EQ(element.role, AccessibleRole::StaticText) << element.name;
        EXPECT_EQ(element.state, kReadOnly) << element.name;
        names.push_back(element.name);
    }
    return names;
}

TEST(DetailAccessibility, OneStaticTextPerLineTopToBottom) {
    const test::MonoMeasure measure;
    FileRecord record = test::timedRecord(3, {10, 20, 30});
    const struct {
        std::uint16_t shownMode;
        std::vector<std::string> names;
    } cases[] = {
        {2,
         {"Измерение: 05.03.2019 09:05:00", "Измерение по времени", "Время измерения: 12:34",
          "0.123 ± 0.024 мг/м3", "Т= 23 °c H= 45 % P= 752 mmHg"}},
        {0,
         {"Измерение: 05.03.2019 09:05:00", "Экспрес - измерение 30", "0.123 ± 0.024 мг/м3",
          "Т= 23 °c H= 45 % P= 752 mmHg"}},
        {3,
         {"Измерение: 05.03.2019 09:05:00", "Диапазон 2", "0.123 ± 0.030 мг/м3",
          "Т= 23 °c H= 45 % P= 752 mmHg"}},
        {65535,
         {"Измерение: 05.03.2019 09:05:00", "???", "0.123 ± 0.024 мг/м3",
          "Т= 23 °c H= 45 % P= 752 mmHg"}},
    };
    for (const auto& c : cases) {
        storeU16(record, record_offset::kMode, c.shownMode);
        EXPECT_EQ(namesOf(detailWindowTexts(record, c.shownMode, measure)), c.names) << c.shownMode;
    }
}

TEST(DetailAccessibility, LinesArePlacedWhereTheirCharactersStand) {
    const test::MonoMeasure measure;
    const auto lines = detailWindowTexts(test::timedRecord(3, {}), 2, measure);
    ASSERT_EQ(lines.size(), 5u);
    // " Измерение: " from x 40 and "05.03.2019  09:05:00  " from x 114, read as one line.
    EXPECT_EQ(lines[0].place, (ClientRect{43, 4, 114 + 114, 18}));
    // " Измерение по времени    " from x 80: one blank before, two inside.
    EXPECT_EQ(lines[1].place, (ClientRect{83, 28, 83 + 114, 42}));
    EXPECT_EQ(lines[2].place->top, 48);
    EXPECT_EQ(lines[3].place->left, 88);
    EXPECT_EQ(lines[3].place->top, 70);
    EXPECT_EQ(lines[4].place->left, 44);
    EXPECT_EQ(lines[4].place->top, 112);

    // The detail window's mode-3 name stands 7 blanks in.
    const auto range = detailWindowTexts(test::timedRecord(3, {}), 3, measure);
    EXPECT_EQ(range[1].place, (ClientRect{80 + 21, 28, 80 + 21 + 57, 42}));
}

TEST(DetailAccessibility, TheGraphIsAChartNamedByItsSeries) {
    for (const auto& [series, name] : {std::pair{Series::Ci, "Си"}, std::pair{Series::Cd, "Сд"}}) {
        const AccessibleElement chart = seriesChart(series);
        EXPECT_EQ(chart.role, AccessibleRole::Chart);
        EXPECT_EQ(chart.name, name);
        EXPECT_EQ(chart.place, (ClientRect{10, 156, 560, 382}));
    }
}

TEST(DetailAccessibility, ChartPointsNamedByTimeAndValueOfTheShownSeries) {
    const FileRecord record = test::TestRecord()
                                  .pointCount(128)
                                  .points(Series::Ci, {12, -5, 0, 32767})
                                  .points(Series::Cd, {7, 1000})
                                  .point(Series::Ci, 127, 889);
    const struct {
        Series series;
        std::size_t point;
        const char* name;
        int x;  // of the point's bar
    } cases[] = {
        {Series::Ci, 0, "00:05 0.12", 44},    {Series::Ci, 1, "00:10 -0.05", 48},
        {Series::Ci, 2, "00:15 0.00", 52},    {Series::Ci, 3, "00:20 327.67", 56},
        {Series::Ci, 127, "10:40 8.89", 552}, {Series::Cd, 0, "00:05 0.07", 44},
        {Series::Cd, 1, "00:10 10.00", 48},
    };
    for (const auto& c : cases) {
        const AccessibleElement point = chartPoint(record, c.series, c.point);
        EXPECT_EQ(point.role, AccessibleRole::ListItem);
        EXPECT_EQ(point.name, c.name);
        EXPECT_EQ(point.state, kReadOnly);
        EXPECT_EQ(point.place, (ClientRect{c.x - 2, 166, c.x + 2, 376})) << c.name;
    }
}

}  // namespace
}  // namespace tolvinark
