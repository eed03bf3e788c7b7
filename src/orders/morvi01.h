// The order menu of one department: enter articles, view, confirm or
// delete the department's order. The department is SessionContext.tipord,
// which the department menu MainOrd has set.
#pragma once

#include <string_view>

#include "core/db/datalink.h"
#include "core/ui/screen.h"

namespace gw::orders {

// The departments that order, with the colour of their buttons.
struct Department {
  std::string_view tipord;
  std::string_view title;  // the order menu's title strip
  ui::Color color;
};

inline constexpr Department kSala{"T", "GESTIONE ORDINI SALA", 0x00C0E0FF};
inline constexpr Department kMacelleria{"M", "GESTIONE ORDINI MACELLERIA", 0x0080FFFF};
inline constexpr Department kOrtofrutta{"O", "GESTIONE ORDINI ORTOFRUTTA", 0x0080FF80};
inline constexpr Department kSurgelati{"S", "GESTIONE ORDINI SURGELATI", 0x00FFFFC0};

// The department of a `tipord` letter, or nullptr.
const Department* FindDepartment(std::string_view tipord);

class morvi01 final : public ui::Screen {
 public:
  explicit morvi01(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Button Command12, Command13, Command2, Command3, Command4, Command5;
  db::DataLink ordine;

  void Form_Load() override;

 private:
  void Command3_Click();
};

}  // namespace gw::orders
