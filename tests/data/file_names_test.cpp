#include "data/file_names.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvinark {
namespace {

struct NameCase {
    std::string utf8;
    std::u16string utf16;
};

class FileNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTable, ConvertsBothWaysAndCountsUnits) {
    EXPECT_EQ(fileNameToUtf16(GetParam().utf8), GetParam().utf16);
    EXPECT_EQ(fileNameFromUtf16(GetParam().utf16), GetParam().utf8);
    EXPECT_EQ(fileNameUnits(GetParam().utf8), GetParam().utf16.size());
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameTable,
    ::testing::Values(NameCase{"", u""}, NameCase{"C:\\a b\\x.dst", u"C:\\a b\\x.dst"},
                      NameCase{"D:\\Замеры 2019\\цех 3.dst", u"D:\\Замеры 2019\\цех 3.dst"},
                      NameCase{"μέτρηση.dst", u"μέτρηση.dst"},
                      NameCase{"测量数据.dst", u"测量数据.dst"},
                      // The basic plane's last, and beyond it two units, a surrogate pair:
                      // U+10000, U+1F600 and U+10FFFF, the last code point.
                      NameCase{"\xEF\xBF\xBF", u"\xFFFF"},
                      NameCase{"\xF0\x90\x80\x80.dst", u"\xD800\xDC00.dst"},
                      NameCase{"\xF0\x9F\x98\x80.dst", u"\xD83D\xDE00.dst"},
                      NameCase{"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
                      // Unpaired surrogates keep their three-byte form and come back alike.
                      NameCase{"a\xED\xA0\x80.dst", std::u16string{u'a', 0xD800} + u".dst"},
                      NameCase{"\xED\xBF\xBFz", std::u16string{0xDFFF, u'z'}}));

// Bytes that are no UTF-8 (possible only in a name made on the Linux side) each become one
// replacement character, never dropped, so the name cannot turn into another existing one.
TEST(FileNames, MalformedBytesEachBecomeAReplacementCharacter) {
    const NameCase cases[] = {
        {"a\xC3(\xE2\x82\xFF\xF5\xC0\xAF"
         "b",
         u"a\xFFFD(\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"
         "b"},
        // Beyond U+10FFFF: the four bytes of U+110000, and of a lead byte no code point has.
        {"\xF4\x90\x80\x80.dst", u"\xFFFD\xFFFD\xFFFD\xFFFD.dst"},
        {"\xF7\xBF\xBF\xBF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(fileNameToUtf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(fileNameUnits(c.utf8), c.utf16.size()) << c.utf8;
    }
}

}  // namespace
}  // namespace tolvinark
