// Screen "morvi06" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi06 final : public ui::Screen {
 public:
  explicit morvi06(ui::Terminal& terminal);
};

}  // namespace gw::inventory
