// The screens of the inventory and stock-out documents subsystem.
#pragma once

#include "core/ui/terminal.h"

namespace gw::inventory {

void RegisterInventoryScreens(ui::ScreenRegistry& registry);

}  // namespace gw::inventory
