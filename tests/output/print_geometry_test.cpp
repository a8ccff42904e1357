#include "output/print_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "output/scaled_canvas.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark {
namespace {

TEST(PrintGeometry, PageHeightInLayoutUnitsAndLineHeightFromIt) {
    struct Case {
        PrinterCaps caps;
        std::int32_t pageHeight;
        std::int32_t lineHeight;
    };
    const std::vector<Case> cases = {
        {{600, 600, 6600}, 6600, 103},
        {{300, 300, 3300}, 6600, 103},     // the same page at half the resolution
        {{1200, 1200, 13200}, 6600, 103},  // and at twice
        {{300, 300, 3508}, 7016, 109},     // A4 at 300 dpi
        {{600, 600, 7016}, 7016, 109},
        {{600, 360, 1001}, 1668, 26},  // remainders dropped: 1001 * 600 / 360 = 1668.3
        {{600, 600, 63}, 63, 0},
        {{600, 600, 0}, 0, 0},
        {{600, 600, -40}, 0, 0},    // a driver's nonsense gives an empty page, not a negative
        {{0, 0, 6600}, 6600, 103},  // unknown resolution: the layout as it stands
        {{-300, -300, 6600}, 6600, 103},
        {{600, 1, INT_MAX}, 100'000'000, 1'562'500},  // capped, every coordinate stays an int
    };
    for (const Case& c : cases) {
        const PrintGeometry geometry = printGeometry(c.caps);
        EXPECT_EQ(geometry.pageHeight, c.pageHeight)
            << c.caps.pageHeight << " @ " << c.caps.dotsPerInchY;
        EXPECT_EQ(geometry.lineHeight, c.lineHeight)
            << c.caps.pageHeight << " @ " << c.caps.dotsPerInchY;
    }
}

TEST(LayoutToDevice, ScalesByResolutionWithHalvesRoundedUp) {
    struct Case {
        int layout;
        int dotsPerInch;
        int device;
    };
    const std::vector<Case> cases = {
        {747, 600, 747},
        {961, 600, 961},
        {-7, 600, -7},
        {0, 300, 0},
        {746, 300, 373},
        {747, 300, 374},
        {103, 300, 52},
        {101, 300, 51},
        {1, 300, 1},
        {-1, 300, 0},
        {-3, 300, -1},
        {747, 1200, 1494},
        {1000, 360, 600},
        {1001, 360, 601},
        {1002, 360, 601},
        {500, 0, 500},
        {500, -1, 500},
        {INT_MAX, 1200, INT_MAX},
        {INT_MIN, 1200, INT_MIN},
        {INT_MAX, 600, INT_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layoutToDevice(c.layout, c.dotsPerInch), c.device)
            << c.layout << " @ " << c.dotsPerInch;
    }
}

TEST(PrinterFont, LineHeightInDeviceUnitsAndTheFixedFields) {
    struct Case {
        PrinterCaps caps;
        int height;
    };
    const std::vector<Case> cases = {
        {{600, 600, 6600}, 103},    {{300, 300, 3300}, 52},  // 103 layout units, 51.5 device units
        {{1200, 1200, 13200}, 206}, {{300, 300, 3508}, 55}, {{600, 600, 0}, 0},
    };
    for (const Case& c : cases) {
        const PrinterFontFields font = printerFont(c.caps);
        EXPECT_EQ(font.height, c.height) << c.caps.pageHeight << " @ " << c.caps.dotsPerInchY;
        EXPECT_EQ(font.width, 0);
        EXPECT_EQ(font.weight, 400);
        EXPECT_EQ(font.charSet, 1);
        EXPECT_EQ(font.faceName, "Microsoft Sans Serif");
    }
}

TEST(ScaledCanvas, MapsXAndYByTheirOwnResolutionAndPassesTheRestOn) {
    RecordingCanvas device;
    ScaledCanvas canvas(device, PrinterCaps{300, 1200, 0});
    canvas.selectFont(Font::Printer);
    canvas.selectPen(Pen::Thick);
    canvas.setTextColour(colours::kRed);
    canvas.setBackgroundColour(colours::kWhite);
    canvas.drawText(961, 961, std::string_view("a\0b", 3));
    canvas.moveTo(960, 703);
    canvas.lineTo(6480, 703);
    canvas.fillRect(1, 3, 601, 599, Brush::White);

    const std::vector<std::string> expected = {
        "font Printer",
        "pen Thick",
        "text colour 0000FF",
        "background colour FFFFFF",
        "text (481, 1922) \"a" + std::string(1, '\0') + "b\" Printer 0000FF on FFFFFF",
        "move (480, 1406)",
        "line (480, 1406)-(3240, 1406) Thick",
        "fill (1, 6)-(301, 1198) White",
    };
    EXPECT_EQ(device.log(), expected);
}

// 10 layout units at any resolution, never so thin that GDI would draw its one-pixel pen.
TEST(PrintGeometry, ThickPenWidthFollowsTheHorizontalResolution) {
    const struct {
        int dotsPerInchX, width;
    } cases[] = {{600, 10}, {300, 5}, {1200, 20}, {360, 6}, {30, 1}, {1, 1}, {0, 10}};
    for (const auto& c : cases) {
        EXPECT_EQ(thickPenWidth({c.dotsPerInchX, 600, 7016}), c.width) << c.dotsPerInchX;
    }
}

}  // namespace
}  // namespace tolvinark
