// The stock-out document menu "morvi01b": enter articles, view, confirm or
// delete the lines of one stock-out document. The type is
// SessionContext.tipord and its slot SessionContext.oper, which the type
// menu MainDoc has set; the number is taken when the menu opens.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/ui/screen.h"
#include "inventory/document_menu.h"

namespace gw::inventory {

// The stock-out document types: the slot of their lines, the menu's title
// and colour, and the document type code that numbers them.
struct StockOutType {
  std::string_view tipord;
  int16_t oper;
  std::string_view title;
  ui::Color color;
  std::string_view tipdoc;
};

inline constexpr StockOutType kDistruzione{"D", 91, "GESTIONE DISTRUZIONI", 0x00C0E0FF,
                                           "CASSONETTO"};
inline constexpr StockOutType kRottamazione{"R", 92, "GESTIONE ROTTAMAZIONI", 0x0080FFFF,
                                            "ROTTAMAZIONE"};
inline constexpr StockOutType kScarti{"B", 93, "GESTIONE SCARTI", 0x0080FF80, "SCARTI"};
inline constexpr StockOutType kAutoconsumo{"A", 94, "GESTIONE AUTOCONSUMO", 0x00FFFFC0,
                                           "AUTOCONSUMO"};

// The type of a `tipord` letter, or nullptr.
const StockOutType* FindStockOutType(std::string_view tipord);

class morvi01b final : public DocumentMenu {
 public:
  explicit morvi01b(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Label Label1;
  ui::TextBox operw;
  ui::Button Command12, Command13, Command2, Command3, Command5;

  void Form_Load() override;

 private:
  void Command12_Click();
  void Command13_Click();
  void Command2_Click();
  void Command3_Click();
};

}  // namespace gw::inventory
