#include "output/protocol_printout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp1251.h"
#include "data/record_texts.h"
#include "output/scaled_canvas.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

FileRecord makeRecord(std::uint16_t mode) {
    return test::TestRecord()
        .serial(999)
        .mode(mode)
        .duration(3600)
        .climate(21, 45, 752)
        .concentration(0.5f);
}

RecordingCanvas printProtocol(const FileRecord& record, std::uint16_t shownMode) {
    RecordingCanvas recorder;
    drawProtocolPage(recorder, record, shownMode, 1234);
    return recorder;
}

TEST(ProtocolPrintout, TextsAtTheirPlaces) {
    const FileRecord record = makeRecord(2);
    const RecordingCanvas page = printProtocol(record, 2);
    // The file's serial number, not the record's own field (999).
    EXPECT_EQ(page.textAt(1840, 1000), cp1251(" Пылемер Лумек  с/н  1234").view());
    EXPECT_EQ(page.textAt(1680, 1298), cp1251(" Измерение: ").view());
    EXPECT_EQ(page.textAt(2400, 1300), dateTimeHeader(record).view());
    EXPECT_EQ(page.textAt(2080, 2000), concentrationLine(record, 2).view());
    EXPECT_EQ(page.textAt(1700, 2300), climateLine(record).view());
    EXPECT_EQ(page.textAt(1700, 2300).size(), 42u);
    EXPECT_EQ(page.textAt(2000, 1800), durationLine(record).view());
    EXPECT_EQ(page.textAt(2020, 1600), cp1251(" Измерение по времени    ").view());
    EXPECT_EQ(page.texts().size(), 7u);
}

TEST(ProtocolPrintout, OnlyATimedMeasurementHasTheDurationLine) {
    struct Case {
        std::uint16_t shownMode;
        bool duration;
    };
    const std::vector<Case> cases = {
        {0, false}, {1, false}, {2, true}, {3, false}, {7, false}, {0x0102, false}, {0xFFFF, false},
    };
    for (const Case& c : cases) {
        // The record's own mode differs from the shown one: the shown mode decides.
        const FileRecord record = makeRecord(c.shownMode == 2 ? 0 : 2);
        const RecordingCanvas page = printProtocol(record, c.shownMode);
        EXPECT_EQ(page.texts().size(), c.duration ? 7u : 6u) << c.shownMode;
        EXPECT_EQ(!page.textAt(2000, 1800).empty(), c.duration) << c.shownMode;
        EXPECT_EQ(page.textAt(2020, 1600), detailModeName(c.shownMode)) << c.shownMode;
        EXPECT_EQ(page.textAt(2080, 2000), concentrationLine(record, c.shownMode).view())
            << c.shownMode;
    }
}

TEST(ProtocolPrintout, RulesAndFrameWithTheThickPenAfterTheTexts) {
    const RecordingCanvas page = printProtocol(makeRecord(0), 0);
    const std::vector<std::string> expected = {
        "move (1580, 1460)",
        "line (1580, 1460)-(3420, 1460) Thick",
        "move (1580, 2200)",
        "line (1580, 2200)-(3420, 2200) Thick",
        "move (1500, 1200)",
        "line (1500, 1200)-(1500, 2600) Thick",
        "line (1500, 2600)-(3500, 2600) Thick",
        "line (3500, 2600)-(3500, 1200) Thick",
        "line (3500, 1200)-(1500, 1200) Thick",
    };
    EXPECT_EQ(page.pathLog(), expected);
    EXPECT_EQ(page.firstIndexOf(FontSelection{Font::Printer}), 0);
    const int pen = page.firstIndexOf(PenSelection{Pen::Thick});
    EXPECT_GT(pen, static_cast<int>(page.texts().size()));
    EXPECT_EQ(pen + 1, page.firstIndexOf<MoveCall>());
    EXPECT_LT(page.firstIndexOf<TextColourSetting>(), 0);
    EXPECT_LT(page.firstIndexOf<BackgroundColourSetting>(), 0);
}

TEST(ProtocolPrintout, ScaledToTheFrameOfTheSamePhysicalSize) {
    for (const int dpi : {300, 1200}) {
        RecordingCanvas device;
        ScaledCanvas canvas(device, PrinterCaps{dpi, dpi, dpi * 11});
        drawProtocolPage(canvas, makeRecord(2), 2, 1234);
        const int k = dpi / 300;  // halves of the layout units
        const auto point = [k](int x, int y) {
            return "(" + std::to_string(x * k) + ", " + std::to_string(y * k) + ")";
        };
        const std::vector<std::string> frame = {
            "move " + point(750, 600),
            "line " + point(750, 600) + "-" + point(750, 1300) + " Thick",
            "line " + point(750, 1300) + "-" + point(1750, 1300) + " Thick",
            "line " + point(1750, 1300) + "-" + point(1750, 600) + " Thick",
            "line " + point(1750, 600) + "-" + point(750, 600) + " Thick",
        };
        const std::vector<std::string> path = device.pathLog();
        ASSERT_EQ(path.size(), 9u);
        EXPECT_EQ(std::vector<std::string>(path.begin() + 4, path.end()), frame) << dpi;
        EXPECT_FALSE(device.textAt(920 * k, 500 * k).empty()) << dpi;   // serial number label
        EXPECT_FALSE(device.textAt(1000 * k, 900 * k).empty()) << dpi;  // duration line
    }
}

}  // namespace
}  // namespace tolvinark
