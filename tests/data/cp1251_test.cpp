#include "data/cp1251.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

TEST(Cp1251Literal, CyrillicAndSignsBecomeSingleBytes) {
    constexpr auto text = cp1251("Т=±°ёЁ№");
    EXPECT_EQ(text.view(), std::string_view("\xD2=\xB1\xB0\xB8\xA8\xB9"));
}

TEST(Cp1251Literal, LengthCountsCharactersNotUtf8Bytes) {
    EXPECT_EQ(cp1251(" Измерение: ").length, 12u);
    EXPECT_EQ(cp1251("").length, 0u);
}

TEST(Cp1251Conversion, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(all)), all);
}

TEST(Cp1251Conversion, Utf16OfCyrillicLetters) {
    EXPECT_EQ(cp1251ToUtf16("\xC0\xFF\xA8"), std::u16string(u"АяЁ"));
}

TEST(Cp1251Conversion, MalformedOrForeignUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1251("a\x80z"), "a?z");
    EXPECT_EQ(utf8ToCp1251("\xD0"), "?");
    EXPECT_EQ(utf8ToCp1251("日"), "?");
}

}  // namespace
}  // namespace tolvinark
