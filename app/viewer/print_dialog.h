#pragma once
// The print dialog of both printouts. It opens on the printer and settings chosen last; the
// printer context it gives becomes the held printer, with the copies asked for there and what
// the chosen printer's driver makes itself. A printer chosen last that can no longer be opened
// fails the dialog without showing it: it is forgotten and the dialog opens once more on the
// default printer, and if that fails too, "ошибка печати" says so.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/viewer/print_state.h"
#include "output/print_dialog.h"

namespace tolvinark {

// Asks for a printer for `printout`, offering pages 1 to `rangePages` (no range when 0), the
// dialog owned by `owner`. What the dialog answered when a printer is now held; none when it was
// cancelled or failed, and nothing is held then.
std::optional<PrintDialogAnswer> askForPrinter(PrintingState& printing, HINSTANCE module,
                                               HWND owner, Printout printout,
                                               std::uint32_t rangePages);

}  // namespace tolvinark
