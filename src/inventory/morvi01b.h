// Screen "morvi01b" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi01b final : public ui::Screen {
 public:
  explicit morvi01b(ui::Terminal& terminal);
};

}  // namespace gw::inventory
