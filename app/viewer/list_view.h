#pragma once
// The info pane's values and the list pane's rows, drawn into their bitmaps from the loaded file
// and the scroll state.

#include "app/viewer/application_state.h"

namespace tolvinark {

// The record index as the list may read it: no entries when none is held.
ListContent listContent(const MeasurementData& data);

// After a successful open: the info pane's values, the first page of rows and the scroll bar;
// the three panes are shown.
void showLoadedFile(ApplicationState& app);

// After an open that could not get the index memory: no file is left to show, so the list is
// emptied (no rows, no scroll range) and the panes are hidden, as before the first open.
void showNoFile(ApplicationState& app);

// The visible rows from the top row again, and the scroll box set to it.
void redrawList(ApplicationState& app);

}  // namespace tolvinark
