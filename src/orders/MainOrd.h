// The department menu of the orders: picks the department whose order the
// clerk works on (SessionContext.tipord) and opens its order menu morvi01.
#pragma once

#include "core/ui/screen.h"
#include "orders/morvi01.h"

namespace gw::orders {

class MainOrd final : public ui::Screen {
 public:
  explicit MainOrd(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Button Command12, Command13, Command2, Command3;
  ui::Button Command5;

  void Form_Load() override;

 private:
  void choose(const Department& department);
};

}  // namespace gw::orders
