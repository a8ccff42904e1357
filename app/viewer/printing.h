#pragma once
// The two printouts, started by a right click: the list pane prints the loaded file's records,
// the detail window a protocol of the record it shows. Both go through the print dialog to a
// printer context and draw their pages through a ScaledCanvas over it, so the page comes out at
// the same size on every printer resolution. While one runs, a progress window offers to cancel
// it, and a printer that refuses the document or a page is reported in a message box.

#include <windows.h>

#include <cstdint>

#include "app/viewer/application_state.h"
#include "data/file_record.h"

namespace tolvinark {

// The list printout, the dialog owned by `owner` (the list pane). Always asks for a printer and
// offers a range of its pages; a file without records, or no record index held, prints nothing
// and asks nothing.
void printList(ApplicationState& app, HWND owner);

// The protocol of `record` shown in `shownMode`, the dialog owned by `owner` (the detail
// window). Asks for a printer only while none is held; otherwise prints to the held one.
void printProtocol(ApplicationState& app, HWND owner, const FileRecord& record,
                   std::uint16_t shownMode);

}  // namespace tolvinark
