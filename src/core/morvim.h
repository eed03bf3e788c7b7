// The start screen: finds the working database, chooses the store database
// and reveals the main menu, or leads to the supplier side once a supplier
// has been chosen. Closing it ends the session.
#pragma once

#include "core/db/datalink.h"
#include "core/ui/screen.h"

namespace gw {

class morvim final : public ui::Screen {
 public:
  explicit morvim(ui::Terminal& terminal);

  ui::Button Command1;
  ui::Label Label1;
  ui::Image Image1;
  ui::Button Command12, Command13, Command2, Command10, Command7;
  ui::Frame selfor0;
  ui::Button Command3, Command4, Command6;
  ui::Frame pippa;
  ui::Grid flex1;
  ui::Button Command9, Command8;
  ui::Button Command5;
  ui::DriveList Drive1;
  db::DataLink Data1, Data2;

  void Form_Load() override;

 private:
  void Command3_Click();
  void Command4_Click();
  void Command6_Click();
  void flex1_Click();
  void Command9_Click();
  void Command8_Click();
  // Sets the store database paths from the drive and a fixed folder.
  void chooseStore(std::string_view tail);
  void readStoreName();
};

}  // namespace gw
