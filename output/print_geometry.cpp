#include "output/print_geometry.h"

#include <algorithm>
#include <limits>

namespace tolvinark {
namespace {

// Keeps every layout coordinate of the page (up to page height + 780) well inside the int range,
// whatever a driver reports.
constexpr std::int64_t kMaxLayoutPageHeight = 100'000'000;

std::int64_t usableDotsPerInch(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch : kLayoutDotsPerInch;
}

std::int64_t floorDivide(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

}  // namespace

PrintGeometry printGeometry(const PrinterCaps& caps) {
    const std::int64_t deviceHeight = std::max(caps.pageHeight, 0);
    const std::int64_t layoutHeight =
        std::min(deviceHeight * kLayoutDotsPerInch / usableDotsPerInch(caps.dotsPerInchY),
                 kMaxLayoutPageHeight);
    PrintGeometry geometry;
    geometry.pageHeight = static_cast<std::int32_t>(layoutHeight);
    geometry.lineHeight = geometry.pageHeight / 64;
    return geometry;
}

int layoutToDevice(int layoutUnits, int dotsPerInch) {
    const std::int64_t scaled = floorDivide(
        std::int64_t{layoutUnits} * usableDotsPerInch(dotsPerInch) + kLayoutDotsPerInch / 2,
        kLayoutDotsPerInch);
    return static_cast<int>(std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

PrinterFontFields printerFont(const PrinterCaps& caps) {
    PrinterFontFields font;
    font.height = layoutToDevice(printGeometry(caps).lineHeight, caps.dotsPerInchY);
    return font;
}

int thickPenWidth(const PrinterCaps& caps) {
    return std::max(layoutToDevice(kThickPenLayoutWidth, caps.dotsPerInchX), 1);
}

}  // namespace tolvinark
