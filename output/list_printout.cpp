#include "output/list_printout.h"

#include "data/fixed_texts.h"
#include "data/record_texts.h"

namespace tolvinark {
namespace {

// Positions in layout units; y of the rules, the column header and the rows follow the line height.
constexpr int kSerialNumberX = 1640;
constexpr int kHeadingTop = 300;  // serial-number label and page label
constexpr int kPageLabelX = 3640;
constexpr int kFileLabelX = 940;
constexpr int kFileNameX = 1280;
constexpr int kFileTop = 500;
constexpr int kColumnHeaderX = 940;
constexpr int kColumnHeaderTop = 644;  // + line height
constexpr int kRuleLeft = 960;
constexpr int kRuleTop = 600;             // + line height, and + 3 line heights
constexpr int kUpperRuleEndShift = -120;  // from the page height
constexpr int kLowerRuleEndShift = 780;   // from the page height
constexpr int kFirstRowTop = 652;         // + 3 line heights
constexpr int kDateX = 980;
constexpr int kTimeX = 1540;
constexpr int kModeX = 2020;
constexpr int kConcentrationX = 3340;

void drawHeading(Canvas& canvas, const ListPrintContent& content, const PrintGeometry& geometry,
                 std::uint32_t pageNumber, std::uint32_t pageCount) {
    const int h = geometry.lineHeight;
    canvas.drawText(kSerialNumberX, kHeadingTop, serialNumberLabel(content.serialNumber).view());
    canvas.drawText(kColumnHeaderX, kColumnHeaderTop + h, texts::kPrintColumnHeader);
    if (pageCount != 1) {
        canvas.drawText(kPageLabelX, kHeadingTop, pageLabel(pageNumber, pageCount).view());
    }
    canvas.drawText(kFileLabelX, kFileTop, texts::kFileLabel);
    canvas.drawName(kFileNameX, kFileTop, content.loadedFileName);

    // The right ends follow the page height, as the printout has always drawn them; the printer
    // clips whatever lies beyond the printable width.
    canvas.selectPen(Pen::Thick);
    canvas.moveTo(kRuleLeft, kRuleTop + h);
    canvas.lineTo(geometry.pageHeight + kUpperRuleEndShift, kRuleTop + h);
    canvas.moveTo(kRuleLeft, kRuleTop + 3 * h);
    canvas.lineTo(geometry.pageHeight + kLowerRuleEndShift, kRuleTop + 3 * h);
}

void drawRow(Canvas& canvas, const IndexEntry& entry, int y) {
    canvas.drawText(kDateX, y, listDateText(entry).view());
    canvas.drawText(kTimeX, y, listTimeText(entry).view());
    canvas.drawText(kModeX, y, listModeName(entry.mode));
    canvas.drawText(kConcentrationX, y, concentrationPair(entry.concentration, entry.mode).view());
}

}  // namespace

std::uint32_t listPageCount(const ListPrintContent& content) {
    if (content.entries == nullptr) return 0;
    const std::uint32_t count = content.recordCount;
    return count / kListRowsPerPage + (count % kListRowsPerPage != 0 ? 1 : 0);
}

PageRows listPageRows(std::uint32_t recordCount, std::uint32_t pageNumber) {
    if (pageNumber == 0) return {};
    const std::uint64_t first = std::uint64_t{pageNumber - 1} * kListRowsPerPage;
    if (first >= recordCount) return {};
    const std::uint64_t left = recordCount - first;
    PageRows rows;
    rows.first = static_cast<std::uint32_t>(first);
    rows.count = static_cast<std::uint32_t>(left < kListRowsPerPage ? left : kListRowsPerPage);
    return rows;
}

void drawListPage(Canvas& canvas, const ListPrintContent& content, const PrintGeometry& geometry,
                  std::uint32_t pageNumber) {
    const std::uint32_t pageCount = listPageCount(content);
    const PageRows rows = listPageRows(content.recordCount, pageNumber);
    if (pageCount == 0 || rows.count == 0) return;

    // Selected on every page, so a driver that resets the context at StartPage still prints the
    // page in the printer font.
    canvas.selectFont(Font::Printer);
    drawHeading(canvas, content, geometry, pageNumber, pageCount);

    int y = kFirstRowTop + 3 * geometry.lineHeight;
    for (std::uint32_t i = 0; i < rows.count; ++i) {
        drawRow(canvas, content.entries[rows.first + i], y);
        y += geometry.lineHeight;
    }
}

}  // namespace tolvinark
