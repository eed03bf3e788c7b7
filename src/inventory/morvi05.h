// Screen "morvi05" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi05 final : public ui::Screen {
 public:
  explicit morvi05(ui::Terminal& terminal);
};

}  // namespace gw::inventory
