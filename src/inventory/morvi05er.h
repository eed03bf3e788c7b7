// Screen "morvi05er" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi05er final : public ui::Screen {
 public:
  explicit morvi05er(ui::Terminal& terminal);
};

}  // namespace gw::inventory
