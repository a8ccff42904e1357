#pragma once
// The list printout: every record of the loaded file as a table of 52 rows a page, each page with
// the full heading (serial number, page label when there is more than one page, file name, column
// header between two rules). Drawn in layout units (print_geometry.h). The viewer asks for a
// printer only when listPageCount is not 0, and its print job (print_job.h) draws each page it
// sends with drawListPage, through a ScaledCanvas over the printer context.

#include <cstdint>
#include <string_view>

#include "data/record_index.h"
#include "output/print_geometry.h"
#include "views/canvas.h"

namespace tolvinark {

inline constexpr std::uint32_t kListRowsPerPage = 52;

// The loaded file as the list printout sees it.
struct ListPrintContent {
    const IndexEntry* entries = nullptr;  // `recordCount` entries; null when no index is held
    std::uint32_t recordCount = 0;
    std::uint32_t serialNumber = 0;   // of the file's first record
    std::string_view loadedFileName;  // the full path, printed at its whole length
};

// Pages of the printout: the record count divided by 52, rounded up, on the whole 32-bit count.
// 0 when there are no records or no index: such a list prints nothing.
std::uint32_t listPageCount(const ListPrintContent& content);

// The records that page `pageNumber` (1-based) of a printout of `recordCount` records holds: 52
// from (pageNumber - 1) * 52, the last page the rest. None for a page that does not exist.
struct PageRows {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};
PageRows listPageRows(std::uint32_t recordCount, std::uint32_t pageNumber);

// Draws page `pageNumber` (1 to listPageCount) between StartPage and EndPage: selects the printer
// font, draws the heading and the page's rows, and leaves the thick pen selected. Text colours
// are left as the printer context has them. Draws nothing for a page that does not exist.
void drawListPage(Canvas& canvas, const ListPrintContent& content, const PrintGeometry& geometry,
                  std::uint32_t pageNumber);

}  // namespace tolvinark
