// Inventory menu "morvi04".
#include "inventory/morvi04.h"

#include "core/session/session_context.h"
#include "core/ui/menu_style.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr Color kTitleBack = kYellow;
constexpr Color kYes = 0x00C0FFC0;
constexpr Color kNo = 0x00C0C0FF;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvi04", .height = kDocumentMenuHeight, .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE INVENTARIO",
                                .left = 0,
                                .top = 0,
                                .width = 8895,
                                .height = 495,
                                .back = kTitleBack,
                                .font = kMenuTitleFont};
constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Operatore",
                              .left = 120,
                              .top = 720,
                              .width = 1455,
                              .height = 495,
                              .font = kMenuTitleFont};
constexpr ControlSpec kOperw{.name = "operw",
                             .left = 1680,
                             .top = 600,
                             .width = 1095,
                             .height = 720,
                             .fore = kRed,
                             .font = kActionFont,
                             .align = Align::Center,
                             .keyboard = Keyboard::Numeric};

// The slot buttons "1" to "5", 1200 twips apart.
constexpr ControlSpec SlotButton(std::string_view name, std::string_view caption, int index) {
  return {.name = name,
          .caption = caption,
          .left = 2880 + 1200 * index,
          .top = 600,
          .width = 1095,
          .height = 720,
          .font = kActionFont};
}
constexpr ControlSpec kCommand4 = SlotButton("Command4", "1", 0);
constexpr ControlSpec kCommand6 = SlotButton("Command6", "2", 1);
constexpr ControlSpec kCommand7 = SlotButton("Command7", "3", 2);
constexpr ControlSpec kCommand8 = SlotButton("Command8", "4", 3);
constexpr ControlSpec kCommand9 = SlotButton("Command9", "5", 4);

constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Inserisco Articoli",
                                 .left = kActionLeft,
                                 .top = 1440,
                                 .width = kActionWidth,
                                 .height = kActionHeight,
                                 .back = kActionBack,
                                 .font = kActionFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Vedo Inventario",
                                 .left = kActionLeft,
                                 .top = 3120,
                                 .width = kActionWidth,
                                 .height = kActionHeight,
                                 .back = kActionBack,
                                 .font = kActionFont,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Confermo Inventario",
                                .left = kActionLeft,
                                .top = 4800,
                                .width = kActionWidth,
                                .height = kActionHeight,
                                .back = kActionBack,
                                .font = kActionFont};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "Cancello Inventario",
                                .left = kActionLeft,
                                .top = 6480,
                                .width = kActionWidth,
                                .height = kActionHeight,
                                .back = kActionBack,
                                .font = kActionFont};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "Uscita",
                                .left = kActionLeft,
                                .top = 8400,
                                .width = kActionWidth,
                                .height = kActionHeight,
                                .back = kExitBack,
                                .font = kActionFont,
                                .picture = Picture::Exit};

// The confirm and delete panels: a title strip and the SI / NO answers.
constexpr ControlSpec kFrame1{
    .name = "Frame1", .left = 600, .top = 1800, .width = 7575, .height = 4095, .visible = false};
constexpr ControlSpec kFrame2{
    .name = "Frame2", .left = 600, .top = 3120, .width = 7575, .height = 4095, .visible = false};
constexpr ControlSpec PanelTitle(std::string_view name, std::string_view caption,
                                 std::string_view frame) {
  return {.name = name,
          .caption = caption,
          .left = 120,
          .top = 240,
          .width = 7335,
          .height = 975,
          .back = kTitleBack,
          .font = kActionFont,
          .container = frame};
}
constexpr ControlSpec PanelAnswer(std::string_view name, std::string_view caption, int left,
                                  Color back, std::string_view frame) {
  return {.name = name,
          .caption = caption,
          .left = left,
          .top = 1440,
          .width = 3555,
          .height = 2415,
          .back = back,
          .font = kActionFont,
          .container = frame};
}
constexpr ControlSpec kCommand10 = PanelTitle("Command10", "CONFERMI INVENTARIO?", "Frame1");
constexpr ControlSpec kCommand11 = PanelAnswer("Command11", "SI", 120, kYes, "Frame1");
constexpr ControlSpec kCommand14 = PanelAnswer("Command14", "NO", 3900, kNo, "Frame1");
constexpr ControlSpec kCommand17 = PanelTitle("Command17", "CANCELLAZIONE INVENTARIO", "Frame2");
constexpr ControlSpec kCommand16 = PanelAnswer("Command16", "SI", 120, kYes, "Frame2");
constexpr ControlSpec kCommand15 = PanelAnswer("Command15", "NO", 3900, kNo, "Frame2");

}  // namespace

morvi04::morvi04(Terminal& terminal)
    : DocumentMenu(terminal, kForm, DocumentKind::Inventory),
      Command1(*this, kCommand1),
      Label1(*this, kLabel1),
      operw(*this, kOperw),
      Command4(*this, kCommand4),
      Command6(*this, kCommand6),
      Command7(*this, kCommand7),
      Command8(*this, kCommand8),
      Command9(*this, kCommand9),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command5(*this, kCommand5),
      Frame1(*this, kFrame1),
      Command10(*this, kCommand10),
      Command11(*this, kCommand11),
      Command14(*this, kCommand14),
      Frame2(*this, kFrame2),
      Command17(*this, kCommand17),
      Command16(*this, kCommand16),
      Command15(*this, kCommand15) {
  operw.GotFocus = [this] { operw.BackColor = kYellow; };
  for (Button* slot : {&Command4, &Command6, &Command7, &Command8, &Command9})
    slot->Click = [this, slot] { operw.setText(slot->Caption); };
  Command12.Click = [this] { Command12_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command5.Click = [this] { Unload(); };
  Command11.Click = [this] { Command11_Click(); };
  Command14.Click = [this] { Frame1.Visible = false; };
  Command16.Click = [this] { Command16_Click(); };
  Command15.Click = [this] { Frame2.Visible = false; };
}

void morvi04::Form_Load() {
  SessionContext& s = session();
  s.ean = "";
  s.tipdoc = "INVENTARIO";
  takeNumber();
}

bool morvi04::slotChosen() {
  if (operatorChosen(operw)) return true;
  operw.SetFocus();
  return false;
}

// "Inserisco Articoli".
void morvi04::Command12_Click() {
  if (slotChosen()) Show("morvi05");
}

// "Vedo Inventario".
void morvi04::Command13_Click() {
  if (slotChosen()) Show("morvi06");
}

// "Confermo Inventario": asks on the confirm panel.
void morvi04::Command2_Click() {
  if (slotChosen()) Frame1.Visible = true;
}

// "Cancello Inventario": asks on the delete panel.
void morvi04::Command3_Click() {
  if (slotChosen()) Frame2.Visible = true;
}

// "SI" of the confirm panel. The panel closes whatever came of it.
void morvi04::Command11_Click() {
  confirmDocument();
  Frame1.Visible = false;
}

// "SI" of the delete panel.
void morvi04::Command16_Click() {
  deleteSlotLines();
  Frame2.Visible = false;
}

}  // namespace gw::inventory
