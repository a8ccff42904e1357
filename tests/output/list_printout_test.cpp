#include "output/list_printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "data/cp1251.h"
#include "data/fixed_texts.h"
#include "data/record_texts.h"
#include "output/scaled_canvas.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark {
namespace {

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

RecordingCanvas drawPage(const ListPrintContent& content, const PrintGeometry& geometry,
                         std::uint32_t page) {
    RecordingCanvas recorder;
    drawListPage(recorder, content, geometry, page);
    return recorder;
}

std::vector<RecordingCanvas> printAll(const ListPrintContent& content,
                                      const PrintGeometry& geometry) {
    std::vector<RecordingCanvas> pages;
    for (std::uint32_t page = 1; page <= listPageCount(content); ++page) {
        pages.push_back(drawPage(content, geometry, page));
    }
    return pages;
}

// A text as placed: x, y and its bytes.
using PlacedText = std::tuple<int, int, std::string>;

// The texts of a page's rows as drawn: every text from y 961 on.
std::vector<PlacedText> drawnRows(const RecordingCanvas& page) {
    std::vector<PlacedText> out;
    for (const TextCall& text : page.texts()) {
        if (text.y >= 961) out.emplace_back(text.x, text.y, text.text);
    }
    return out;
}

// Rows of entries first.. in order, stepping 103 from y 961.
void expectRows(const RecordingCanvas& page, const std::vector<IndexEntry>& entries,
                std::uint32_t first, std::uint32_t count) {
    std::vector<PlacedText> expected;
    for (std::uint32_t i = 0; i < count; ++i) {
        const IndexEntry& e = entries[first + i];
        const int y = static_cast<int>(961 + 103 * i);
        expected.emplace_back(980, y, listDateText(e).view());
        expected.emplace_back(1540, y, listTimeText(e).view());
        expected.emplace_back(2020, y, listModeName(e.mode));
        expected.emplace_back(3340, y, concentrationPair(e.concentration, e.mode).view());
    }
    EXPECT_EQ(drawnRows(page), expected);
}

// A call drawn in layout units as it should reach a printer of these capabilities.
CanvasCall onDevice(CanvasCall call, const PrinterCaps& caps) {
    const auto mapX = [&caps](int& x) { x = layoutToDevice(x, caps.dotsPerInchX); };
    const auto mapY = [&caps](int& y) { y = layoutToDevice(y, caps.dotsPerInchY); };
    if (auto* text = std::get_if<TextCall>(&call)) {
        mapX(text->x);
        mapY(text->y);
    } else if (auto* move = std::get_if<MoveCall>(&call)) {
        mapX(move->x);
        mapY(move->y);
    } else if (auto* line = std::get_if<LineCall>(&call)) {
        mapX(line->fromX);
        mapY(line->fromY);
        mapX(line->toX);
        mapY(line->toY);
    } else if (auto* fill = std::get_if<FillCall>(&call)) {
        mapX(fill->left);
        mapY(fill->top);
        mapX(fill->right);
        mapY(fill->bottom);
    }
    return call;
}

// The heading of every page on a VERTRES 6600 printer at 600 dpi.
void expectHeading(const RecordingCanvas& page, std::string_view fileName) {
    EXPECT_EQ(page.textAt(1640, 300), kSerialLabel1234.view());
    EXPECT_EQ(page.textAt(940, 747), cp1251("           дата/время                           "
                                            "режим                                   мг/м3     ")
                                         .view());
    EXPECT_EQ(page.textAt(940, 747).size(), 98u);
    EXPECT_EQ(page.textAt(940, 500), cp1251(" Файл:  ").view());
    EXPECT_EQ(page.textAt(1280, 500), fileName);
    EXPECT_TRUE(page.textsReading(fileName).at(0).fileName);
    const std::vector<std::string> rules = {"move (960, 703)", "line (960, 703)-(6480, 703) Thick",
                                            "move (960, 909)", "line (960, 909)-(7380, 909) Thick"};
    EXPECT_EQ(page.pathLog(), rules);

    // Printer font before the first text, thick pen before the first rule.
    const int font = page.firstIndexOf(FontSelection{Font::Printer});
    EXPECT_GE(font, 0);
    EXPECT_LT(font, page.firstIndexOf<TextCall>());
    const int pen = page.firstIndexOf(PenSelection{Pen::Thick});
    EXPECT_GE(pen, 0);
    EXPECT_LT(pen, page.firstIndexOf<MoveCall>());
    // The printer context's own text colours are kept.
    EXPECT_LT(page.firstIndexOf<TextColourSetting>(), 0);
    EXPECT_LT(page.firstIndexOf<BackgroundColourSetting>(), 0);
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
    RecordingCanvas recorder;
    drawListPage(recorder, content, kGeometry6600, 1);
    EXPECT_TRUE(recorder.calls().empty());
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
    const std::vector<RecordingCanvas> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 1u);
    expectHeading(pages[0], kFileName);
    for (const TextCall& text : pages[0].texts()) EXPECT_NE(text.x, 3640);
    expectRows(pages[0], entries, 0, 52);
}

TEST(ListPrintout, FiftyThreeRecordsGiveTwoLabelledPages) {
    const std::vector<IndexEntry> entries = makeEntries(53);
    const ListPrintContent content = contentOf(entries, kFileName);
    const std::vector<RecordingCanvas> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].textAt(3640, 300), cp1251(" лист  1  из  2 ").view());
    EXPECT_EQ(pages[1].textAt(3640, 300), cp1251(" лист  2  из  2 ").view());
    EXPECT_EQ(cp1251("  из  ").view(), "\x20\x20\xE8\xE7\x20\x20");
    for (const RecordingCanvas& page : pages) expectHeading(page, kFileName);
    expectRows(pages[0], entries, 0, 52);
    expectRows(pages[1], entries, 52, 1);
}

TEST(ListPrintout, MultipleOfFiftyTwoEndsOnAFullPage) {
    const std::vector<IndexEntry> entries = makeEntries(104);
    const ListPrintContent content = contentOf(entries, kFileName);
    const std::vector<RecordingCanvas> pages = printAll(content, kGeometry6600);
    ASSERT_EQ(pages.size(), 2u);
    expectRows(pages[0], entries, 0, 52);
    expectRows(pages[1], entries, 52, 52);
    EXPECT_TRUE(drawPage(content, kGeometry6600, 3).calls().empty());
    EXPECT_TRUE(drawPage(content, kGeometry6600, 0).calls().empty());
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

    const RecordingCanvas last = drawPage(content, kGeometry6600, 256);
    EXPECT_EQ(last.textAt(3640, 300), cp1251(" лист  256  из  256 ").view());
    expectHeading(last, kFileName);
    expectRows(last, entries, 13260, 1);

    const RecordingCanvas before = drawPage(content, kGeometry6600, 255);
    EXPECT_EQ(before.textAt(3640, 300), cp1251(" лист  255  из  256 ").view());
    expectRows(before, entries, 13208, 52);
}

TEST(ListPrintout, FileNameIsPrintedAtItsWholeLength) {
    const std::vector<IndexEntry> entries = makeEntries(1);
    for (const std::string& name :
         {"C:\\" + std::string(250, 'x') + std::string("\0y", 2) + "z.dst",
          std::string("D:\\Замеры 2019\\цех 3 Ωμέγα 测量.dst")}) {
        expectHeading(drawPage(contentOf(entries, name), kGeometry6600, 1), name);
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
        RecordingCanvas device;
        ScaledCanvas canvas(device, caps);
        drawListPage(canvas, content, printGeometry(caps), 1);
        const std::vector<TextCall> texts = device.texts();
        ASSERT_EQ(texts.size(), 5u + 4u * 52u) << dpi;
        int lowest = 0;
        for (const TextCall& text : texts) {
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
    const RecordingCanvas reference = drawPage(content, kGeometry6600, 1);

    struct Point {
        int x, y;
    };
    struct Case {
        PrinterCaps caps;
        Point header;  // in device units, as the rest
        std::vector<std::string> rules;
        Point firstRow, secondRow;
    };
    const std::vector<Case> cases = {
        {{600, 600, 6600},
         {940, 747},
         {"move (960, 703)", "line (960, 703)-(6480, 703) Thick", "move (960, 909)",
          "line (960, 909)-(7380, 909) Thick"},
         {980, 961},
         {980, 1064}},
        {{300, 300, 3300},
         {470, 374},
         {"move (480, 352)", "line (480, 352)-(3240, 352) Thick", "move (480, 455)",
          "line (480, 455)-(3690, 455) Thick"},
         {490, 481},
         {490, 532}},
        {{1200, 1200, 13200},
         {1880, 1494},
         {"move (1920, 1406)", "line (1920, 1406)-(12960, 1406) Thick", "move (1920, 1818)",
          "line (1920, 1818)-(14760, 1818) Thick"},
         {1960, 1922},
         {1960, 2128}},
    };
    for (const Case& c : cases) {
        RecordingCanvas device;
        ScaledCanvas canvas(device, c.caps);
        drawListPage(canvas, content, printGeometry(c.caps), 1);
        EXPECT_EQ(device.textAt(c.header.x, c.header.y), texts::kPrintColumnHeader.view());
        EXPECT_EQ(device.pathLog(), c.rules);
        EXPECT_EQ(device.textAt(c.firstRow.x, c.firstRow.y), listDateText(entries[0]).view());
        EXPECT_EQ(device.textAt(c.secondRow.x, c.secondRow.y), listDateText(entries[1]).view());

        // Call for call the reference page, every position mapped.
        const std::vector<std::string> calls = device.log();
        ASSERT_EQ(calls.size(), reference.calls().size());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i], describe(onDevice(reference.calls()[i], c.caps)))
                << c.caps.dotsPerInchY << " call " << i;
        }
    }
}

}  // namespace
}  // namespace tolvinark
