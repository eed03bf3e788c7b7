// Screen "MainDoc" (being written).
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class MainDoc final : public ui::Screen {
 public:
  explicit MainDoc(ui::Terminal& terminal);
};

}  // namespace gw::inventory
