#include "app/detail_window_host.h"
#include "app/print_road.h"

namespace tolvinark {

void onDetailWindowBuilt(ApplicationState& app) {
    forgetPrinterForNewDetailWindow(app);
}

}  // namespace tolvinark
