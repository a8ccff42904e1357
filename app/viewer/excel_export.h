#pragma once
// The Excel button: the series the detail window shows, written to "Temp.dif" in the current
// directory and handed to the shell, which opens it with the spreadsheet the user has for it.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

// The file keeps exactly the new export. When it cannot be written the user is told and the
// shell is not asked to open it.
LRESULT onExcelButton(ApplicationState& app);

}  // namespace tolvinark
