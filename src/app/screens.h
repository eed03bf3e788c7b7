// Every screen this build of the program can open, by name.
#pragma once

#include "core/ui/terminal.h"

namespace gw::app {

const ui::ScreenRegistry& StandardScreens();

}  // namespace gw::app
