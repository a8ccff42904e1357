#include "app/detail_window_host.h"

namespace tolvinark {

void buildDetailWindow(ApplicationState&) {}

void closeDetailWindow(ApplicationState&) {}

}  // namespace tolvinark
