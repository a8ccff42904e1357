#include "app/detail_window_host.h"

namespace tolvinark {

// No printer is held yet: printing replaces this with the release of its protocol printer.
void onDetailWindowBuilt(ApplicationState&) {}

}  // namespace tolvinark
