#include "output/list_printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/cp1251.h"
#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "output/scaled_canvas.h"
#include "tests/output/print_recorder.h"

namespace tolvinark {
namespace {

using testing::DrawCall;
using testing::PrintRecorder;

constexpr auto kSerialLabel1234 = cp1251(" Пылемер Лумек  с/н  1234");
const std::string kFileName = "C:\\meter\\2019\\march.dst";
// The page of a 600-dpi printer with VERTRES 6600: line height 103.
const PrintGeometry kGeometry6600 = printGeometry({600, 600, 6600});

std::vector<IndexEntry> makeEntries(std::uint32_t count) {
    std::vector<IndexEntry> entries(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        IndexEntry& e = entries[i];
        e.serialNumber = 1234;
        e.mode = static_cast<std::uint16_t>(i % 5);
        e.year = 2019;
        e.month = static_cast<std::uint16_t>(i / 28 % 12 + 1);
        e.day = static_cast<std::uint16_t>(i % 28 + 1);
        e.hour = static_cast<std::uint16_t>(i % 24);
        e.minute = static_cast<std::uint16_t>(i * 7 % 60);
        e.second = static_cast<std::uint16_t>(i % 60);
        e.concentration = 0.125f * static_cast<float>(i % 97);
    }
    return entries;
}

ListPrintContent contentOf(const std::vector<IndexEntry>& entries, std::string_view fileName) {
    ListPrintContent content;
    content.entries = entries.data();
    content.recordCount = static_cast<std::uint32_t>(entries.size());
    content.serialNumber = 1234;
    content.loadedFileName = fileName;
    return content;
}

PrintRecorder drawPage(const ListPrintContent& content, const PrintGeometry& geometry,
                       std::uint32_t page) {
    PrintRecorder recorder;
    drawListPage(recorder, content, geometry, page);
    return recorder;
}

std::vector<PrintRecorder> printAll(const ListPrintContent& content,
                                    const PrintGeometry& geometry) {
    std::vector<PrintRecorder> pages;
    for (std::uint32_t page = 1; page <= listPageCount(content); ++page) {
        pages.push_back(drawPage(content, geometry, page));
    }
    return pages;
}

// The texts of a page's rows as drawn: every text from y 961 on.
std::vector<std::string> drawnRows(const PrintRecorder& page) {
    std::vector<std::string> out;
    for (const DrawCall& text : page.texts()) {
        if (text.y >= 961) out.push_back(text.describe());
    }
    return out;
}

// Rows of entries first.. in order, stepping 103 from y 961.
void expectRows(const PrintRecorder& page, const std::vector<IndexEntry>& entries,
                std::uint32_t first, std::uint32_t count) {
    std::vector<std::string> expected;
    for (std::uint32_t i = 0; i < count; ++i) {
        const IndexEntry& e = entries[first + i];
        const std::string y = " " + std::to_string(961 + 103 * i) + " ";
        expected.push_back("text 980" + y + std::string(listDateText(e).view()));
        expected.push_back("text 1540" + y + std::string(listTimeText(e).view()));
        expected.push_back("text 2020" + y + std::string(listModeName(e.mode)));
        expected.push_back("text 3340" + y +
                           std::string(concentrationPair(e.concentration, e.mode).view()));
    }
    EXPECT_EQ(drawnRows(page), expected);
}

// The heading of every page on a VERTRES 6600 printer at 600 dpi.
void expectHeading(const PrintRecorder& page, std::string_view fileName) {
    EXPECT_EQ(page.textAt(1640, 300), kSerialLabel1234.view());
    EXPECT_EQ(page.textAt(940, 747), cp1251("           дата/время                           "
                                            "режим                                   мг/м3     ")
                                         .view());
    EXPECT_EQ(page.textAt(940, 747).size(), 98u);
    EXPECT_EQ(page.textAt(940, 500), cp1251(" Файл:  ").view());
    EXPECT_EQ(page.textAt(1280, 500), fileName);
    const std::vector<std::string> rules = {"move 960 703", "line 6480 703", "move 960 909",
                                            "line 7380 909"};
    EXPECT_EQ(page.path(), rules);

    // Printer font before the first text, thick pen before the first rule.
    const int font = page.firstIndexOf(DrawCall::SelectFont, static_cast<int>(Font::Printer));
    EXPECT_GE(font, 0);
    EXPECT_LT(font, page.firstIndexOf(DrawCall::Text));
    const int pen = page.firstIndexOf(DrawCall::SelectPen, static_cast<int>(Pen::Thick));
    EXPECT_GE(pen, 0);
    EXPECT_LT(pen, page.firstIndexOf(DrawCall::MoveTo));
    // The printer context's own text colours are kept.
    EXPECT_LT(page.firstIndexOf(DrawCall::TextColour), 0);
    EXPECT_LT(page.firstIndexOf(DrawCall::BackgroundColour), 0);
}

TEST(ListPrintout, PageCountOnTheWholeRecordCount) {
    struct Case {
        std::uint32_t records;
        std::uint32_t pages;
    };
    const std::vector<Case> cases = {
        {0, 0},        {1, 1},        {51, 1},       {52, 1},       {53, 2},
        {104, 2},      {105, 3},      {13260, 255},  {13261, 256},  {65535, 1261},
        {65536, 1261}, {65537, 1261}, {65572, 1261}, {65573, 1262}, {0xFFFFFFFFu, 82595525},
    };
    const IndexEntry entry;
    for (const Case& c : cases) {
        ListPrintContent content;
        content.entries = &entry;  // only counted, never read
        content.recordCount = c.records;
        EXPECT_EQ(listPageCount(content), c.pages) << c.records;
    }
}

TEST(ListPrintout, NoIndexHeldMeansNothingToPrint) {
    ListPrintContent content;
    content.recordCount = 53;  // a count left over without an index
    EXPECT_EQ(listPageCount(content), 0u);
    PrintRecorder recorder;
    drawListPage(recorder, content, kGeometry6600, 1);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(ListPrintout, RowsOfEachPage) {
    struct Case {
        std::uint32_t records;
        std::uint32_t page;
        std::uint32_t first;
        std::uint32_t count;
    };
    const std::vector<Case> cases = {
        {52, 1, 0, 52},
        {52, 2, 0, 0},
        {53, 1, 0, 52},
        {53, 2, 52, 1},
        {104, 2, 52, 52},
        {104, 3, 0, 0},
        {13261, 256, 13260, 1},
        {13261, 0, 0, 0},
        {1, 1, 0, 1},
        {0, 1, 0, 0},
        {0xFFFFFFFFu, 82595525, 0xFFFFFFFFu - 47, 47},
        {0xFFFFFFFFu, 82595526, 0, 0},
        {10, 0xFFFFFFFFu, 0, 0},
    };
    for (const Case& c : cases) {
        const PageRows rows = listPageRows(c.records, c.page);
        EXPECT_EQ(rows.first, c.first) << c.records << " page " << c.page;
        EXPECT_EQ(rows.count, c.count) << c.records << " page " << c.page;
    }
}

TEST(ListPrintout, FiftyTwoRecordsGiveOnePageWithoutPageLabel) {
    const std::vector<IndexEntry> entries = makeEntries(52);
    const ListPrintContent content = contentOf(entries, kFileName);
    const std::vector<PrintRecorder> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 1u);
    expectHeading(pages[0], kFileName);
    for (const DrawCall& text : pages[0].texts()) EXPECT_NE(text.x, 3640);
    expectRows(pages[0], entries, 0, 52);
}

TEST(ListPrintout, FiftyThreeRecordsGiveTwoLabelledPages) {
    const std::vector<IndexEntry> entries = makeEntries(53);
    const ListPrintContent content = contentOf(entries, kFileName);
    const std::vector<PrintRecorder> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].textAt(3640, 300), cp1251(" лист  1  из  2 ").view());
    EXPECT_EQ(pages[1].textAt(3640, 300), cp1251(" лист  2  из  2 ").view());
    EXPECT_EQ(cp1251("  из  ").view(), "\x20\x20\xE8\xE7\x20\x20");
    for (const PrintRecorder& page : pages) expectHeading(page, kFileName);
    expectRows(pages[0], entries, 0, 52);
    expectRows(pages[1], entries, 52, 1);
}

TEST(ListPrintout, MultipleOfFiftyTwoEndsOnAFullPage) {
    const std::vector<IndexEntry> entries = makeEntries(104);
    const ListPrintContent content = contentOf(entries, kFileName);
    const std::vector<PrintRecorder> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 2u);
    expectRows(pages[0], entries, 0, 52);
    expectRows(pages[1], entries, 52, 52);
    EXPECT_TRUE(drawPage(content, kGeometry6600, 3).calls.empty());
    EXPECT_TRUE(drawPage(content, kGeometry6600, 0).calls.empty());
}

TEST(ListPrintout, PageLabelsOfTwoAndThreeDigitsAreDrawnWholeAtOnePlace) {
    const std::vector<IndexEntry> tenPages = makeEntries(12 * 52);
    const std::string ten =
        drawPage(contentOf(tenPages, kFileName), kGeometry6600, 10).textAt(3640, 300);
    EXPECT_EQ(ten, cp1251(" лист  10  из  12 ").view());
    EXPECT_EQ(ten.size(), 18u);

    const std::vector<IndexEntry> hundredPages = makeEntries(120 * 52 - 7);
    const std::string hundred =
        drawPage(contentOf(hundredPages, kFileName), kGeometry6600, 100).textAt(3640, 300);
    EXPECT_EQ(hundred, cp1251(" лист  100  из  120 ").view());
    EXPECT_EQ(hundred.size(), 20u);
}

TEST(ListPrintout, PagesBeyond255AreNumberedInFull) {
    const std::vector<IndexEntry> entries = makeEntries(13261);
    const ListPrintContent content = contentOf(entries, kFileName);
    ASSERT_EQ(listPageCount(content), 256u);

    const PrintRecorder last = drawPage(content, kGeometry6600, 256);
    EXPECT_EQ(last.textAt(3640, 300), cp1251(" лист  256  из  256 ").view());
    expectHeading(last, kFileName);
    expectRows(last, entries, 13260, 1);

    const PrintRecorder before = drawPage(content, kGeometry6600, 255);
    EXPECT_EQ(before.textAt(3640, 300), cp1251(" лист  255  из  256 ").view());
    expectRows(before, entries, 13208, 52);
}

TEST(ListPrintout, FileNameIsPrintedAtItsWholeLength) {
    std::string longName = "C:\\" + std::string(250, 'x') + std::string("\0y", 2) + "z.dst";
    const std::vector<IndexEntry> entries = makeEntries(1);
    const PrintRecorder page = drawPage(contentOf(entries, longName), kGeometry6600, 1);
    EXPECT_EQ(page.textAt(1280, 500), longName);
}

// The fault this layout mends: at 300 dpi the columns, page label and last rows of a page laid
// out for 600 dpi fell off the paper. Every text must now start inside the printable area of an
// A4 page, and the last row must end above its bottom.
TEST(ListPrintout, AFullPageFitsOnA4AtAnyResolution) {
    const std::vector<IndexEntry> entries = makeEntries(2 * 52);
    const ListPrintContent content = contentOf(entries, kFileName);
    for (const int dpi : {300, 360, 600, 720, 1200}) {
        // A4 printable area at this resolution, 8.27 x 11.69 inches.
        const PrinterCaps caps{dpi, dpi, dpi * 1169 / 100};
        const int printableWidth = dpi * 827 / 100;
        PrintRecorder device;
        ScaledCanvas canvas(device, caps);
        drawListPage(canvas, content, printGeometry(caps), 1);
        const std::vector<DrawCall> texts = device.texts();
        ASSERT_EQ(texts.size(), 5u + 4u * 52u) << dpi;
        int lowest = 0;
        for (const DrawCall& text : texts) {
            EXPECT_GE(text.x, 0);
            EXPECT_LT(text.x, printableWidth) << dpi << ": " << text.text;
            EXPECT_GE(text.y, 0);
            lowest = std::max(lowest, text.y);
        }
        EXPECT_LE(lowest + printerFont(caps).height, caps.pageHeight) << dpi;
    }
}

TEST(ListPrintout, OtherResolutionsGetTheSamePageScaled) {
    const std::vector<IndexEntry> entries = makeEntries(53);
    const ListPrintContent content = contentOf(entries, kFileName);
    const PrintRecorder reference = drawPage(content, kGeometry6600, 1);

    struct Case {
        PrinterCaps caps;
        std::string header, rules[4], firstRow, secondRow;  // "x y" in device units
    };
    const std::vector<Case> cases = {
        {{600, 600, 6600},
         "940 747",
         {"move 960 703", "line 6480 703", "move 960 909", "line 7380 909"},
         "980 961",
         "980 1064"},
        {{300, 300, 3300},
         "470 374",
         {"move 480 352", "line 3240 352", "move 480 455", "line 3690 455"},
         "490 481",
         "490 532"},
        {{1200, 1200, 13200},
         "1880 1494",
         {"move 1920 1406", "line 12960 1406", "move 1920 1818", "line 14760 1818"},
         "1960 1922",
         "1960 2128"},
    };
    for (const Case& c : cases) {
        PrintRecorder device;
        ScaledCanvas canvas(device, c.caps);
        drawListPage(canvas, content, printGeometry(c.caps), 1);
        const std::vector<std::string> calls = device.described();
        const auto drawn = [&calls](const std::string& call) {
            return std::find(calls.begin(), calls.end(), call) != calls.end();
        };
        EXPECT_TRUE(drawn("text " + c.header + " " + std::string(texts::kPrintColumnHeader)));
        EXPECT_EQ(device.path(), std::vector<std::string>(c.rules, c.rules + 4));
        EXPECT_TRUE(
            drawn("text " + c.firstRow + " " + std::string(listDateText(entries[0]).view())));
        EXPECT_TRUE(
            drawn("text " + c.secondRow + " " + std::string(listDateText(entries[1]).view())));

        // Call for call the reference page, every position mapped.
        ASSERT_EQ(device.calls.size(), reference.calls.size());
        for (std::size_t i = 0; i < reference.calls.size(); ++i) {
            DrawCall mapped = reference.calls[i];
            mapped.x = layoutToDevice(mapped.x, c.caps.dotsPerInchX);
            mapped.y = layoutToDevice(mapped.y, c.caps.dotsPerInchY);
            EXPECT_EQ(calls[i], mapped.describe()) << c.caps.dotsPerInchY << " call " << i;
        }
    }
}

}  // namespace
}  // namespace tolvinark
