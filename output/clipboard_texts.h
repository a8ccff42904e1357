#pragma once
// The texts a copy puts on the clipboard, from a copy's tables (output/copied_table.h):
// - plain text, UTF-16: the cells of a row separated by a tab, every line ended by CR LF, an
//   empty line between two tables, then a terminating zero;
// - HTML, UTF-8: each table a <table>, the header's cells <th>, the others <td>, the texts
//   escaped, wrapped in the clipboard's HTML description: a header of byte offsets to the
//   document and to the fragment that a program pastes, then the document, then a zero.
// In both, a decimal cell's point becomes the user's decimal separator.
//
// A copy can be as large as a list of a million records, about 180 MB of text: each text is
// counted first and then written straight into a block of exactly that size, never held twice.

#include <cstddef>
#include <functional>
#include <string_view>

#include "data/measurement_file.h"
#include "output/copied_table.h"

namespace tolvinark {

// Gives a copy's tables to a writer; a list read from its file can fail (copied_table.h).
using TableSource = std::function<FileResult(TableWriter&)>;

struct CopySizes {
    std::size_t textUnits = 0;  // UTF-16 units, the terminating zero included
    std::size_t htmlBytes = 0;  // the whole HTML description and its zero; 0 when none is made
};

// Counts the texts of the tables `source` gives; the HTML only `withHtml`. The decimal separator
// is the user's, as the system gives it; an empty one is taken as a point.
FileResult measureCopy(const TableSource& source, std::u16string_view decimalSeparator,
                       bool withHtml, CopySizes& sizes);

// Runs `source` again and writes its texts into `text` (sizes.textUnits units) and, when
// sizes.htmlBytes is not 0, `html` (that many bytes), never past either. NoSuchRecord when the
// texts no longer have the counted sizes (the file changed in between): the blocks then hold
// no copy to hand on.
FileResult writeCopy(const TableSource& source, std::u16string_view decimalSeparator,
                     const CopySizes& sizes, char16_t* text, char* html);

// True for the decimal numbers the program writes, which get the user's separator: an optional
// minus, digits, a point, digits ("4.043", "-0.05"); "-.---" is none.
bool isDecimalNumber(std::string_view text);

}  // namespace tolvinark
