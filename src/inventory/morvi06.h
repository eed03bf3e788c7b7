// The inventory view "morvi06": the lines counted by the current operator
// with their total, searchable and sortable; "Vedo articolo" reopens the
// chosen line in the inventory entry instead of the view, and "Crea file
// testo INVE1.dat" hands every counted line of every operator to the
// program that reads inventories.
#pragma once

#include "core/db/datalink.h"
#include "lookup/list_screen.h"

namespace gw::inventory {

class morvi06 final : public lookup::ListScreen {
 public:
  explicit morvi06(ui::Terminal& terminal);

  ui::Label Label1;
  ui::Label Label4;
  ui::Button Command2;
  db::DataLink inventario;
  db::DataLink Data1;

 private:
  void Command2_Click();
};

}  // namespace gw::inventory
