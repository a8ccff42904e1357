#pragma once
// The accessible contents of the viewer's windows, answering from the viewer's state.

#include <memory>

#include "app/viewer/application_state.h"
#include "app/win32/accessible_content.h"

namespace tolvinark {

// The record list: a list with a list item per record; a row's default action opens its record
// as Enter does, by a request posted to the list pane.
std::shared_ptr<AccessibleContent> makeListAccessible(ApplicationState& app);
// The info pane's lines and the header pane's column titles as static texts.
std::shared_ptr<AccessibleContent> makeInfoPaneAccessible(const ApplicationState& app);
std::shared_ptr<AccessibleContent> makeHeaderPaneAccessible(const ApplicationState& app);
// The open detail window as it was built: its text lines, the graph of a timed measurement as a
// chart of its points, and its buttons.
std::shared_ptr<AccessibleContent> makeDetailAccessible(const ApplicationState& app);

// The request the list's default action posts to the list pane: wParam the record number,
// lParam the count of opens when it was made.
inline constexpr UINT kOpenRecordRequest = WM_APP + 1;

}  // namespace tolvinark
