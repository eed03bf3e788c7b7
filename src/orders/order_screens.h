// The department-order screens this build can open.
#pragma once

#include "core/ui/terminal.h"

namespace gw::orders {

void RegisterOrderScreens(ui::ScreenRegistry& registry);

}  // namespace gw::orders
