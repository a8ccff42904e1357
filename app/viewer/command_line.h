#pragma once
// The measurement file named on the viewer's command line.

#include <optional>
#include <string>
#include <string_view>

#include "data/measurement_file.h"

namespace tolvinark {

// The first argument after the program path, or nothing when there is none; the line ends at a
// zero. The program path is taken in double quotes, or up to the first blank when it has none.
// Blanks, and quotes holding nothing but blanks, give no argument. A quoted argument runs to its
// closing quote, blanks included (to the end of the line when the quote is never closed); an
// unquoted one ends at the next blank or double quote. Further arguments are ignored.
std::optional<std::string> fileArgument(std::string_view commandLine);

// The open operation for a UTF-8 name from the command line. A name longer than the file-name
// buffer holds (in UTF-16 units) is refused whole, as a file that cannot be found, rather than
// cut to another name.
FileResult openCommandLineFile(MeasurementData& data, std::string_view name);

}  // namespace tolvinark
