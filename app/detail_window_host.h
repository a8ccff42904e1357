#pragma once
// Where the list hands a clicked record to the detail window. The detail window itself is not
// built yet: both calls do nothing so far.

#include "app/application_state.h"

namespace tolvinark {

// The current record has just been read for a click on the list.
void buildDetailWindow(ApplicationState& app);

// The clicked record's file could not be opened, or a window other than the main window is
// being destroyed.
void closeDetailWindow(ApplicationState& app);

}  // namespace tolvinark
