#include "output/list_printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/cp1251.h"
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

// The rows of a page as drawn: each four texts at x 980, 1540, 2020, 3340 on one y.
struct DrawnRow {
    int y;
    std::string date, time, mode, pair;
};

std::vector<DrawnRow> rowsOf(const PrintRecorder& page, int firstRowTop) {
    std::vector<DrawnRow> rows;
    const std::vector<DrawCall> texts = page.texts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].y < firstRowTop) continue;
        EXPECT_LE(i + 4, texts.size());
        if (i + 4 > texts.size()) break;
        DrawnRow row{texts[i].y, texts[i].text, texts[i + 1].text, texts[i + 2].text,
                     texts[i + 3].text};
        EXPECT_EQ(texts[i].x, 980);
        EXPECT_EQ(texts[i + 1].x, 1540);
        EXPECT_EQ(texts[i + 2].x, 2020);
        EXPECT_EQ(texts[i + 3].x, 3340);
        for (std::size_t k = 1; k < 4; ++k) EXPECT_EQ(texts[i + k].y, row.y);
        rows.push_back(row);
        i += 3;
    }
    return rows;
}

// Rows of entries first.. in order, stepping 103 from y 961.
void expectRows(const PrintRecorder& page, const std::vector<IndexEntry>& entries,
                std::uint32_t first, std::uint32_t count) {
    const std::vector<DrawnRow> rows = rowsOf(page, 961);
    ASSERT_EQ(rows.size(), count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const IndexEntry& e = entries[first + i];
        EXPECT_EQ(rows[i].y, 961 + 103 * static_cast<int>(i));
        EXPECT_EQ(rows[i].date, listDateText(e).view()) << "row " << i;
        EXPECT_EQ(rows[i].time, listTimeText(e).view()) << "row " << i;
        EXPECT_EQ(rows[i].mode, listModeName(e.mode)) << "row " << i;
        EXPECT_EQ(rows[i].pair, concentrationPair(e.concentration, e.mode).view()) << "row " << i;
    }
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
    const std::vector<std::string> rules = {"M 960 703", "L 6480 703", "M 960 909", "L 7380 909"};
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

TEST(ListPrintout, LineHeightPlacesHeaderRulesAndRows) {
    struct Case {
        std::int32_t pageHeight;
        int lineHeight;
    };
    for (const Case c : {Case{6600, 103}, Case{7016, 109}, Case{64, 1}}) {
        const PrintGeometry geometry = printGeometry({600, 600, c.pageHeight});
        const int h = c.lineHeight;
        const std::vector<IndexEntry> entries = makeEntries(3);
        const PrintRecorder page = drawPage(contentOf(entries, kFileName), geometry, 1);
        EXPECT_EQ(page.textAt(940, 644 + h).size(), 98u);
        const std::vector<std::string> rules = {
            "M 960 " + std::to_string(600 + h),
            "L " + std::to_string(c.pageHeight - 120) + " " + std::to_string(600 + h),
            "M 960 " + std::to_string(600 + 3 * h),
            "L " + std::to_string(c.pageHeight + 780) + " " + std::to_string(600 + 3 * h)};
        EXPECT_EQ(page.path(), rules);
        const std::vector<DrawnRow> rows = rowsOf(page, 652 + 3 * h);
        ASSERT_EQ(rows.size(), 3u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i].y, 652 + 3 * h + i * h);
    }
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
        int header, upperRule, upperEnd, lowerRule, lowerEnd, firstRow, secondRow;
    };
    const std::vector<Case> cases = {
        {{600, 600, 6600}, 747, 703, 6480, 909, 7380, 961, 1064},
        {{300, 300, 3300}, 374, 352, 3240, 455, 3690, 481, 532},
        {{1200, 1200, 13200}, 1494, 1406, 12960, 1818, 14760, 1922, 2128},
    };
    for (const Case& c : cases) {
        PrintRecorder device;
        ScaledCanvas canvas(device, c.caps);
        drawListPage(canvas, content, printGeometry(c.caps), 1);
        const int x = c.caps.dotsPerInchX;
        EXPECT_EQ(device.textAt(layoutToDevice(940, x), c.header).size(), 98u) << x;
        const std::vector<std::string> rules = {
            "M " + std::to_string(layoutToDevice(960, x)) + " " + std::to_string(c.upperRule),
            "L " + std::to_string(c.upperEnd) + " " + std::to_string(c.upperRule),
            "M " + std::to_string(layoutToDevice(960, x)) + " " + std::to_string(c.lowerRule),
            "L " + std::to_string(c.lowerEnd) + " " + std::to_string(c.lowerRule)};
        EXPECT_EQ(device.path(), rules);
        EXPECT_EQ(device.textAt(layoutToDevice(980, x), c.firstRow),
                  listDateText(entries[0]).view());
        EXPECT_EQ(device.textAt(layoutToDevice(980, x), c.secondRow),
                  listDateText(entries[1]).view());

        // Call for call the reference page, every position mapped.
        ASSERT_EQ(device.calls.size(), reference.calls.size());
        for (std::size_t i = 0; i < reference.calls.size(); ++i) {
            DrawCall mapped = reference.calls[i];
            mapped.x = layoutToDevice(mapped.x, c.caps.dotsPerInchX);
            mapped.y = layoutToDevice(mapped.y, c.caps.dotsPerInchY);
            EXPECT_EQ(device.calls[i], mapped) << x << " call " << i;
        }
    }
}

}  // namespace
}  // namespace tolvinark
