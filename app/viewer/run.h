#pragma once
// The viewer's whole run: the command line, the drawing objects, the windows and the message
// loop. Gives the process exit code.

namespace tolvinark {

int runViewer();

}  // namespace tolvinark
