// What the inventory menu morvi04 and the stock-out document menu morvi01b
// share: their look, the operator check, taking the document number when
// the menu opens, deleting a slot's working lines and running the
// confirmation con_inv.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/db/datalink.h"
#include "core/ui/screen.h"
#include "inventory/con_inv.h"

namespace gw::inventory {

// The look of the two menus: the design height, the yellow title strip, the
// big buttons and the exit button.
inline constexpr int kDocumentMenuHeight = 10425;
inline constexpr ui::Color kActionBack = 0x0080FFFF;
inline constexpr ui::Color kExitBack = 0x00C0C0FF;
inline constexpr ui::Font kActionFont{"Arial Black", 22, true};
inline constexpr int kActionLeft = 120;
inline constexpr int kActionWidth = 8775;
inline constexpr int kActionHeight = 1575;

// The slot an operator box names, read as Val reads it and rounded half to
// even ("2.6" is 3, "2,6" is 2); nullopt unless it is a slot from 1 to 32767.
std::optional<int16_t> OperatorSlot(std::string_view text);

class DocumentMenu : public ui::Screen {
 public:
  db::DataLink inventario;

 protected:
  DocumentMenu(ui::Terminal& terminal, const ui::FormSpec& spec, DocumentKind kind);

  // The operator check of every action: oper := the slot in `operw`, or the
  // operator message and false.
  bool operatorChosen(const ui::TextBox& operw);
  // Takes the next number of session.tipdoc, or tells the clerk that the
  // type or its counter of the year is missing.
  void takeNumber();
  // Deletes every working line of the slot, all or none.
  void deleteSlotLines();
  // Confirms the slot's lines into the menu's document; true when the
  // document was written. A refusal or an engine error is told here.
  bool confirmDocument();

 private:
  DocumentKind kind_;
  bool numbered_ = false;  // the number was taken when this menu opened
};

}  // namespace gw::inventory
