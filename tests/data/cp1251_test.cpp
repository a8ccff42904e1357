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

// Known entries of the code page's table, read from the code page's definition rather than from
// the table under test.
TEST(Cp1251Table, KnownCodePoints) {
    struct Entry {
        unsigned char byte;
        char16_t codePoint;
    };
    constexpr Entry kKnown[] = {
        {0x41, u'A'},   {0x80, 0x0402}, {0x88, 0x20AC}, {0x98, 0x0098},  // undefined: kept as is
        {0xA8, 0x0401}, {0xB8, 0x0451}, {0xB9, 0x2116}, {0xC0, 0x0410},
        {0xE0, 0x0430}, {0xFF, 0x044F},
    };
    for (const Entry& entry : kKnown) {
        SCOPED_TRACE(static_cast<int>(entry.byte));
        EXPECT_EQ(cp1251ToUnicode(entry.byte), entry.codePoint);
        EXPECT_EQ(static_cast<unsigned char>(unicodeToCp1251(entry.codePoint)), entry.byte);
    }
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
