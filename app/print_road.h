#pragma once
// The two printouts, started by a right click: the list pane prints every record of the loaded
// file, the detail window a protocol of the record it shows. Both go through the print dialog to
// a printer context and draw their pages through a ScaledCanvas over it, so the page comes out at
// the same size on every printer resolution.

#include <windows.h>

#include <cstdint>

#include "app/application_state.h"
#include "data/file_record.h"

namespace tolvinark {

// The list printout, the dialog owned by `owner` (the list pane). Always asks for a printer;
// a file without records, or no record index held, prints nothing and asks nothing.
void printList(ApplicationState& app, HWND owner);

// The protocol of `record` shown in `shownMode`, the dialog owned by `owner` (the detail
// window). Asks for a printer only while none is held; otherwise prints to the held one.
void printProtocol(ApplicationState& app, HWND owner, const FileRecord& record,
                   std::uint16_t shownMode);

// Every build of the detail window (record click, series toggle) lets go of the held printer,
// so the first protocol printout of the new window asks for a printer again.
void forgetPrinterForNewDetailWindow(ApplicationState& app);

}  // namespace tolvinark
