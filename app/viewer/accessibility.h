#pragma once
// The viewer's share of Active Accessibility: WM_GETOBJECT for its painted windows, the events
// that tell a screen reader what changed, and the list's posted open-record requests.

#include <windows.h>

#include "app/viewer/application_state.h"

namespace tolvinark {

// The painted windows answer for their client area with their own object; every other request,
// and every other window, gets the system's. Answered whatever else runs, a printout included.
LRESULT onGetObject(ApplicationState& app, HWND window, WPARAM wParam, LPARAM lParam);

// Another file is shown (or none): objects of the old list and panes are disconnected, and the
// list's new order is announced.
void accessibleFileChanged(ApplicationState& app);
// The detail window was built: its content is taken as it stands now.
void accessibleDetailBuilt(ApplicationState& app);
// A window goes: objects of its content are disconnected.
void accessibleWindowGone(ApplicationState& app, HWND window);

// The list's rows scrolled: its order changed.
void announceListReordered(const ApplicationState& app);
// A key moved the highlight from where `before` had it: the new order and focus are announced.
void announceListKey(const ApplicationState& app, const ScrollState& before);

// The request a row's default action posted: opens the record as Enter would, unless another
// file came since. The busy rule holds it off as it holds Enter.
LRESULT onOpenRecordRequest(ApplicationState& app, WPARAM recordNumber, LPARAM opens);

}  // namespace tolvinark
