#include "views/pane_accessibility.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/views/accessibility_checks.h"

namespace tolvinark {
namespace {

using accessible_state::kReadOnly;

struct Expected {
    std::string name;
    ClientRect place;
};

void expectStaticTexts(const std::vector<AccessibleElement>& seen,
                       const std::vector<Expected>& expected) {
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].role, AccessibleRole::StaticText) << i;
        EXPECT_EQ(seen[i].state, kReadOnly) << i;
        EXPECT_EQ(seen[i].name, expected[i].name) << i;
        EXPECT_EQ(seen[i].place, expected[i].place) << seen[i].name;
    }
}

TEST(InfoPaneAccessibility, EachLineReadsAsItsLabelAndValue) {
    const test::MonoMeasure measure;
    // Labels from x 10: "Файл:" 30 pixels, "Записей:" 48, "Прибор:" 42. The name has 18 code
    // points, 6 pixels each; "   61" is 21 pixels from x 74; "1703" 24 from x 80.
    expectStaticTexts(infoPaneTexts(InfoPaneValues{"C:\\Замеры\\demo.dst", 61, 1703}, measure),
                      {{"Файл: C:\\Замеры\\demo.dst", {10, 6, 84 + 108, 20}},
                       {"Записей: 61", {10, 30, 95, 44}},
                       {"Прибор: 1703", {10, 54, 104, 68}}});
}

TEST(InfoPaneAccessibility, CountsAndSerialNumbersOfAnyWidth) {
    const test::MonoMeasure measure;
    const struct {
        std::uint32_t count, serial;
        const char* records;
        const char* instrument;
    } cases[] = {
        {1, 7, "Записей: 1", "Прибор: 7"},
        {1234567, 123456789, "Записей: 1234567", "Прибор: 123456789"},
        {0, 0, "Записей: 0", "Прибор: 0"},
    };
    for (const auto& c : cases) {
        const auto lines = infoPaneTexts(InfoPaneValues{"a.dst", c.count, c.serial}, measure);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1].name, c.records);
        EXPECT_EQ(lines[2].name, c.instrument);
    }
}

TEST(InfoPaneAccessibility, BeforeAFileOnlyTheLabels) {
    const test::MonoMeasure measure;
    expectStaticTexts(infoPaneTexts(std::nullopt, measure), {{"Файл:", {10, 6, 40, 20}},
                                                             {"Записей:", {10, 30, 58, 44}},
                                                             {"Прибор:", {10, 54, 52, 68}}});
}

TEST(HeaderPaneAccessibility, OneStaticTextPerColumnTitle) {
    const test::MonoMeasure measure;
    // From x 10: 3 blanks, "Дата", 15 blanks, "Время", 14 blanks, "Режим измерения",
    // 33 blanks, "мг/м3", 1 blank.
    expectStaticTexts(headerPaneTexts(measure), {{"Дата", {19, 4, 43, 18}},
                                                 {"Время", {88, 4, 118, 18}},
                                                 {"Режим измерения", {160, 4, 247, 18}},
                                                 {"мг/м3", {346, 4, 376, 18}}});
}

}  // namespace
}  // namespace tolvinark
