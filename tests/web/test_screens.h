// A screen for the web terminal's tests: a scan field and a quantity field
// that react to Enter and Down, a Yes/No question, a button that hides
// itself, a handler that fails, a frame shown by a check box, a grid and a
// Cancel button that closes the screen.
#pragma once

#include <string_view>

#include "core/ui/screen.h"
#include "core/ui/terminal.h"

namespace gw::webtest {

class webtest final : public ui::Screen {
 public:
  // `name` is the name it is registered under.
  webtest(ui::Terminal& terminal, std::string_view name);

  ui::Label Label1;     // the codes read by Enter in eanw, joined by ","
  ui::TextBox eanw;     // Enter: reads the code; Down: focus to quanw
  ui::TextBox quanw;    // Enter: a warning when empty, else focus to Command2
  ui::Label Label2;     // what the last action showed
  ui::Button Command1;  // asks a Yes/No question (276)
  ui::Button Command2;  // "Registra": counts its clicks in Label3, then hides itself
  ui::Button Command6;  // "Secondo": writes "secondo" in Label3
  ui::Label Label3;
  ui::Button Command3;  // fails as a database error would
  ui::CheckBox Check1;  // shows Frame1 while checked
  ui::Frame Frame1;
  ui::Button Command4;  // in Frame1: writes "riquadro" in Label2
  ui::Grid flex1;       // a click shows the cell in Label2
  ui::Button Command5;  // Cancel: closes the screen

  void Form_Load() override;

 private:
  int registered_ = 0;
};

// Registers webtest under `name`, which becomes its name.
void AddTestScreen(ui::ScreenRegistry& registry, std::string_view name);

}  // namespace gw::webtest
