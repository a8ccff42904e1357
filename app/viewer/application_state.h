#pragma once
// The one record of everything the viewer keeps from start to end: its windows, drawing
// objects and panes, the loaded measurement file and the list's scroll state.

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <string>

#include "app/viewer/accessible_windows.h"
#include "app/viewer/detail_window_state.h"
#include "app/viewer/pane.h"
#include "app/viewer/print_state.h"
#include "app/win32/drawing_objects.h"
#include "data/measurement_file.h"
#include "views/list_pane.h"

namespace tolvinark {

// The longest name the file system allows, in UTF-16 units, with its terminating zero.
inline constexpr std::size_t kOpenDialogNameUnits = 32768;

struct ApplicationState {
    HINSTANCE module = nullptr;
    DrawingObjects drawing;

    // Windows live until the process ends; the buttons are told apart by these handles.
    HWND mainWindow = nullptr;
    HWND exitButton = nullptr;
    HWND openButton = nullptr;
    Pane listPane;
    Pane infoPane;
    Pane headerPane;

    // The detail window, while one is open, and the series it shows and exports: a list click
    // sets Ci, the series toggle button switches.
    DetailWindow detail;
    Series seriesSelector = Series::Ci;

    // A file named on the command line waits for the first paint, which opens it. UTF-8.
    bool commandLineFilePending = false;
    std::string commandLineFile;

    // The open dialog writes the chosen name here, in UTF-16. It holds any name, so that one too
    // long to open reaches the open operation and its message, as from the command line or a
    // drop, rather than failing in the dialog. The structure keeps the chosen filter from one
    // call to the next.
    std::array<wchar_t, kOpenDialogNameUnits> fileNameBuffer{};
    OPENFILENAMEW openDialog{};

    MeasurementData data;  // record index, file-loaded flag, current record
    ScrollState scroll;
    PrintingState printing;        // the print dialog's record and the printer it gave
    AccessibleWindows accessible;  // what screen readers are shown of the painted windows
};

}  // namespace tolvinark
