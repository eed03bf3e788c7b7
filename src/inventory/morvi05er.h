// Prompt "morvi05er": the article has codes but no price-list row. It opens
// over the entry screen that found it (the inventory entry, the receipt
// entry) and asks whether to take the article in; the entry screen has
// already put its focus back on its code field, where either answer returns.
#pragma once

#include "core/ui/screen.h"

namespace gw::inventory {

class morvi05er final : public ui::Screen {
 public:
  explicit morvi05er(ui::Terminal& terminal);

  ui::Frame Frame1;
  ui::Label Label1;
  ui::Label Label16;
  ui::Label Label17;

  void Form_Load() override;
};

}  // namespace gw::inventory
