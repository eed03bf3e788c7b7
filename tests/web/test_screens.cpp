// The web terminal's test screen.
#include "test_screens.h"

#include <stdexcept>

#include "core/ui/terminal.h"

namespace gw::webtest {
namespace {

using namespace ui;

constexpr Font kBig{"Arial", 14, true};

constexpr Color kLightGreen = 0x00C0FFC0;

constexpr ControlSpec kLabel1{
    .name = "Label1", .left = 120, .top = 120, .width = 8760, .height = 600, .font = kBig};
constexpr ControlSpec kEanw{.name = "eanw",
                            .left = 120,
                            .top = 840,
                            .width = 5000,
                            .height = 600,
                            .font = kBig,
                            .max_length = 13,
                            .keyboard = Keyboard::Scan};
constexpr ControlSpec kQuanw{.name = "quanw",
                             .left = 5400,
                             .top = 840,
                             .width = 3480,
                             .height = 600,
                             .font = kBig,
                             .align = Align::Right,
                             .keyboard = Keyboard::Numeric};
constexpr ControlSpec kLabel2{
    .name = "Label2", .left = 120, .top = 1560, .width = 8760, .height = 600, .font = kBig};
constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "Conferma",
                                .left = 120,
                                .top = 2280,
                                .width = 2800,
                                .height = 1200,
                                .font = kBig,
                                .picture = Picture::Confirm};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Registra",
                                .left = 3100,
                                .top = 2280,
                                .width = 2800,
                                .height = 1200,
                                .font = kBig};
constexpr ControlSpec kCommand6{.name = "Command6",
                                .caption = "Secondo",
                                .left = 6080,
                                .top = 2280,
                                .width = 2800,
                                .height = 1200,
                                .font = kBig};
constexpr ControlSpec kLabel3{
    .name = "Label3", .left = 120, .top = 3600, .width = 8760, .height = 600, .font = kBig};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "Errore",
                                .left = 120,
                                .top = 4320,
                                .width = 2800,
                                .height = 1200,
                                .font = kBig};
constexpr ControlSpec kCheck1{.name = "Check1",
                              .caption = "Riquadro",
                              .left = 3100,
                              .top = 4320,
                              .width = 2800,
                              .height = 600,
                              .font = kBig};
constexpr ControlSpec kFrame1{.name = "Frame1",
                              .caption = "Riquadro",
                              .left = 120,
                              .top = 5640,
                              .width = 8760,
                              .height = 1500,
                              .visible = false};
constexpr ControlSpec kCommand4{.name = "Command4",
                                .caption = "Nel riquadro",
                                .left = 240,
                                .top = 300,
                                .width = 4000,
                                .height = 1000,
                                .font = kBig,
                                .container = "Frame1"};
constexpr ControlSpec kFlex1{
    .name = "flex1", .left = 120, .top = 7260, .width = 8760, .height = 2400};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "Uscita",
                                .left = 120,
                                .top = 9840,
                                .width = 8760,
                                .height = 1200,
                                .font = kBig,
                                .cancel = true,
                                .picture = Picture::Exit};

}  // namespace

webtest::webtest(Terminal& terminal, std::string_view name)
    : Screen(terminal, {.name = name, .caption = "Prova terminale", .back = kLightGreen}),
      Label1(*this, kLabel1),
      eanw(*this, kEanw),
      quanw(*this, kQuanw),
      Label2(*this, kLabel2),
      Command1(*this, kCommand1),
      Command2(*this, kCommand2),
      Command6(*this, kCommand6),
      Label3(*this, kLabel3),
      Command3(*this, kCommand3),
      Check1(*this, kCheck1),
      Frame1(*this, kFrame1),
      Command4(*this, kCommand4),
      flex1(*this, kFlex1),
      Command5(*this, kCommand5) {
  eanw.KeyPress = [this](int& key) {
    if (key != 13) return;
    key = 0;
    Label1.Caption += (Label1.Caption.empty() ? "" : ",") + eanw.Text();
    eanw.setText("");
  };
  eanw.KeyDown = [this](int& code, int) {
    if (code == 40) quanw.SetFocus();
  };
  quanw.KeyPress = [this](int& key) {
    if (key != 13) return;
    key = 0;
    if (quanw.Text().empty()) {
      MsgBox("ATTENZIONE: manca la quantità", vbExclamation);
      return;
    }
    Label2.Caption = "quantità " + quanw.Text();
    Command2.SetFocus();
  };
  Command1.Click = [this] {
    int answer = MsgBox("Confermi la riga?", vbYesNo + vbCritical + vbDefaultButton2, "Conferma");
    Label2.Caption = answer == vbYes ? "sì" : "no";
  };
  Command2.Click = [this] {
    Label3.Caption = "registrato " + std::to_string(++registered_);
    Command2.Visible = false;
  };
  Command6.Click = [this] { Label3.Caption = "secondo"; };
  Command3.Click = [] { throw std::runtime_error("Impossibile aprire il database di prova"); };
  Check1.Click = [this] { Frame1.Visible = Check1.Value() == 1; };
  Command4.Click = [this] { Label2.Caption = "riquadro"; };
  flex1.Click = [this] {
    Label2.Caption =
        "cella " + std::to_string(flex1.MouseRow) + "," + std::to_string(flex1.MouseCol);
  };
  Command5.Click = [this] { Unload(); };
}

void webtest::Form_Load() {
  flex1.setCols(3);
  flex1.setRows(4);
  flex1.setColWidth(0, 0);
  flex1.setColWidth(1, 2000);
  flex1.setColWidth(2, 5000);
  flex1.setTextMatrix(0, 1, "Codice");
  flex1.setTextMatrix(0, 2, "Descrizione");
  const char* rows[][2] = {{"101", "Pane"}, {"102", "Latte"}, {"103", "Mele"}};
  for (int r = 0; r < 3; ++r) {
    flex1.setTextMatrix(r + 1, 1, rows[r][0]);
    flex1.setTextMatrix(r + 1, 2, rows[r][1]);
  }
  eanw.SetFocus();
}

void AddTestScreen(ScreenRegistry& registry, std::string_view name) {
  registry.add(name, [name = std::string(name)](Terminal& terminal) {
    return std::make_unique<webtest>(terminal, name);
  });
}

}  // namespace gw::webtest
