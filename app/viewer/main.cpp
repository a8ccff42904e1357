// tolvinark.exe: the viewer.

#include <windows.h>

#include "app/viewer/run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return tolvinark::runViewer();
}
