#include "views/accessible.h"

#include <gtest/gtest.h>

#include <string>

#include "data/cp1251.h"
#include "tests/views/accessibility_checks.h"

namespace tolvinark {
namespace {

TEST(SpokenText, PaddingGoesAndInnerBlanksReadAsOne) {
    const struct {
        std::string drawn;  // code page 1251
        const char* spoken;
    } cases[] = {
        {std::string(cp1251(" Экспрес - измерение 30  ")), "Экспрес - измерение 30"},
        {std::string(cp1251("0.123  ±  0.024   мг/м3 ")), "0.123 ± 0.024 мг/м3"},
        {"05.03.  19", "05.03. 19"},
        {"   ", ""},
        {"", ""},
        {"x", "x"},
    };
    for (const auto& c : cases) EXPECT_EQ(spokenText(c.drawn), c.spoken) << c.drawn;
}

TEST(DrawnTextPlace, SpansTheTextWithoutItsEndBlanks) {
    const test::MonoMeasure measure;
    const struct {
        const char* text;
        ClientRect place;
    } cases[] = {
        {"ab", {100, 20, 112, 34}},
        {"  ab ", {106, 20, 118, 34}},
        {" a b", {103, 20, 118, 34}},
        {"   ", {100, 20, 100, 34}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawnTextPlace(100, 20, c.text, measure), c.place) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace tolvinark
