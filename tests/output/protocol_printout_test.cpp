#include "output/protocol_printout.h"

#include <gtest/gtest.h>

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

FileRecord makeRecord(std::uint16_t mode) {
    FileRecord record;
    storeU32(record, record_offset::kSerialNumber, 999);
    storeU16(record, record_offset::kMode, mode);
    storeU16(record, record_offset::kYear, 2019);
    storeU16(record, record_offset::kMonth, 3);
    storeU16(record, record_offset::kDay, 5);
    storeU16(record, record_offset::kHour, 9);
    storeU16(record, record_offset::kMinute, 5);
    storeU16(record, record_offset::kDuration, 3600);
    storeU16(record, record_offset::kTemperature, 21);
    storeU16(record, record_offset::kHumidity, 45);
    storeU16(record, record_offset::kPressure, 752);
    storeFloat(record, record_offset::kConcentration, 0.5f);
    return record;
}

PrintRecorder printProtocol(const FileRecord& record, std::uint16_t shownMode) {
    PrintRecorder recorder;
    drawProtocolPage(recorder, record, shownMode, 1234);
    return recorder;
}

TEST(ProtocolPrintout, TextsAtTheirPlaces) {
    const FileRecord record = makeRecord(2);
    const PrintRecorder page = printProtocol(record, 2);
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
        const PrintRecorder page = printProtocol(record, c.shownMode);
        EXPECT_EQ(page.texts().size(), c.duration ? 7u : 6u) << c.shownMode;
        EXPECT_EQ(!page.textAt(2000, 1800).empty(), c.duration) << c.shownMode;
        EXPECT_EQ(page.textAt(2020, 1600), detailModeName(c.shownMode)) << c.shownMode;
        EXPECT_EQ(page.textAt(2080, 2000), concentrationLine(record, c.shownMode).view())
            << c.shownMode;
    }
}

TEST(ProtocolPrintout, RulesAndFrameWithTheThickPenAfterTheTexts) {
    const PrintRecorder page = printProtocol(makeRecord(0), 0);
    const std::vector<std::string> expected = {
        "move 1580 1460", "line 3420 1460", "move 1580 2200", "line 3420 2200", "move 1500 1200",
        "line 1500 2600", "line 3500 2600", "line 3500 1200", "line 1500 1200",
    };
    EXPECT_EQ(page.path(), expected);
    EXPECT_EQ(page.firstIndexOf(DrawCall::SelectFont, static_cast<int>(Font::Printer)), 0);
    const int pen = page.firstIndexOf(DrawCall::SelectPen, static_cast<int>(Pen::Thick));
    EXPECT_GT(pen, static_cast<int>(page.texts().size()));
    EXPECT_EQ(pen + 1, page.firstIndexOf(DrawCall::MoveTo));
    EXPECT_LT(page.firstIndexOf(DrawCall::TextColour), 0);
    EXPECT_LT(page.firstIndexOf(DrawCall::BackgroundColour), 0);
}

TEST(ProtocolPrintout, ScaledToTheFrameOfTheSamePhysicalSize) {
    for (const int dpi : {300, 1200}) {
        PrintRecorder device;
        ScaledCanvas canvas(device, PrinterCaps{dpi, dpi, dpi * 11});
        drawProtocolPage(canvas, makeRecord(2), 2, 1234);
        const int k = dpi / 300;  // halves of the layout units
        const std::vector<std::string> frame = {
            "move " + std::to_string(750 * k) + " " + std::to_string(600 * k),
            "line " + std::to_string(750 * k) + " " + std::to_string(1300 * k),
            "line " + std::to_string(1750 * k) + " " + std::to_string(1300 * k),
            "line " + std::to_string(1750 * k) + " " + std::to_string(600 * k),
            "line " + std::to_string(750 * k) + " " + std::to_string(600 * k),
        };
        const std::vector<std::string> path = device.path();
        ASSERT_EQ(path.size(), 9u);
        EXPECT_EQ(std::vector<std::string>(path.begin() + 4, path.end()), frame) << dpi;
        EXPECT_FALSE(device.textAt(920 * k, 500 * k).empty()) << dpi;   // serial number label
        EXPECT_FALSE(device.textAt(1000 * k, 900 * k).empty()) << dpi;  // duration line
    }
}

}  // namespace
}  // namespace tolvinark
