#pragma once
// The protocol printout: one page for the measurement the detail window shows, a frame holding
// its date and time, mode, concentration and climate, with the file's serial number above it.
// Drawn in layout units (print_geometry.h); the Win32 side draws it through a ScaledCanvas over
// the printer context:
//
//   StartDocA; StartPage;
//   drawProtocolPage(canvas, currentRecord, shownMode, serialNumber);
//   EndPage; EndDoc;

#include <cstdint>

#include "data/file_record.h"
#include "views/canvas.h"

namespace tolvinark {

// Selects the printer font, draws the texts, then the rules and the frame with the thick pen
// (left selected). `serialNumber` is the file's, from its first record, not the record's own
// field. The duration line is drawn only for a timed measurement (shown mode 2). Text colours are
// left as the printer context has them.
void drawProtocolPage(Canvas& canvas, const FileRecord& record, std::uint16_t shownMode,
                      std::uint32_t serialNumber);

}  // namespace tolvinark
