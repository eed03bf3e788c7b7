// The inventory menu "morvi04": the clerk picks an operator slot (1 to 5,
// or any slot typed in) and enters its articles, views them, confirms them
// into a numbered inventory or deletes them. The number is taken when the
// menu opens and serves every confirmation until it is opened again.
#pragma once

#include "core/ui/screen.h"
#include "inventory/document_menu.h"

namespace gw::inventory {

class morvi04 final : public DocumentMenu {
 public:
  explicit morvi04(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Label Label1;
  ui::TextBox operw;
  ui::Button Command4, Command6, Command7, Command8, Command9;
  ui::Button Command12, Command13, Command2, Command3, Command5;
  ui::Frame Frame1;
  ui::Button Command10, Command11, Command14;
  ui::Frame Frame2;
  ui::Button Command17, Command16, Command15;

  void Form_Load() override;

 private:
  // The operator check; on failure the focus goes to the operator box.
  bool slotChosen();
  void Command12_Click();
  void Command13_Click();
  void Command2_Click();
  void Command3_Click();
  void Command11_Click();
  void Command16_Click();
};

}  // namespace gw::inventory
