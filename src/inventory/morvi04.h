// Screen "morvi04" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi04 final : public ui::Screen {
 public:
  explicit morvi04(ui::Terminal& terminal);
};

}  // namespace gw::inventory
