// The stock-out document types "MainDoc": destruction, scrapping, waste or
// self-consumption. Each sets the type (SessionContext.tipord) and the
// operator slot of its lines (SessionContext.oper) and opens the document
// menu morvi01b.
#pragma once

#include "core/ui/screen.h"
#include "inventory/morvi01b.h"

namespace gw::inventory {

class MainDoc final : public ui::Screen {
 public:
  explicit MainDoc(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Button Command12, Command13, Command2, Command3;
  ui::Button Command5;

  void Form_Load() override;

 private:
  void choose(const StockOutType& type);
};

}  // namespace gw::inventory
