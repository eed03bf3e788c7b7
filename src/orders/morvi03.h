// The order view "morvi03": the working lines of the current department's
// order with their total of packs, searchable and sortable; "Vedo articolo"
// reopens the chosen line in the order entry over the view.
#pragma once

#include "core/db/datalink.h"
#include "lookup/list_screen.h"

namespace gw::orders {

class morvi03 final : public lookup::ListScreen {
 public:
  explicit morvi03(ui::Terminal& terminal);

  ui::Label Label1;
  ui::Label Label2;
  db::DataLink ordine;
  db::DataLink Data1;
};

}  // namespace gw::orders
