// Stock-out document menu "morvi01b".
#include "inventory/morvi01b.h"

#include <string>

#include "core/session/session_context.h"
#include "core/ui/menu_style.h"

namespace gw::inventory {
namespace {

using namespace ui;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvi01b", .height = kDocumentMenuHeight, .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE DOCUMENTI",
                                .left = 0,
                                .top = 0,
                                .width = 8895,
                                .height = 495,
                                .back = kYellow,
                                .font = kMenuTitleFont};
// The slot is the type's own: the operator box is never shown.
constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Operatore",
                              .left = 120,
                              .top = 720,
                              .width = 1455,
                              .height = 495,
                              .font = kMenuTitleFont,
                              .visible = false};
constexpr ControlSpec kOperw{.name = "operw",
                             .left = 1680,
                             .top = 600,
                             .width = 1095,
                             .height = 720,
                             .fore = kRed,
                             .font = kActionFont,
                             .visible = false,
                             .align = Align::Center,
                             .keyboard = Keyboard::Numeric};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Inserisco Articoli",
                                 .left = kActionLeft,
                                 .top = 960,
                                 .width = kActionWidth,
                                 .height = kActionHeight,
                                 .back = kActionBack,
                                 .font = kActionFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Vedo Articoli",
                                 .left = kActionLeft,
                                 .top = 2760,
                                 .width = kActionWidth,
                                 .height = kActionHeight,
                                 .back = kActionBack,
                                 .font = kActionFont,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Confermo Documento",
                                .left = kActionLeft,
                                .top = 4560,
                                .width = kActionWidth,
                                .height = kActionHeight,
                                .back = kActionBack,
                                .font = kActionFont};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "Cancello Articoli",
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

constexpr const StockOutType* kTypes[] = {&kDistruzione, &kRottamazione, &kScarti, &kAutoconsumo};

}  // namespace

const StockOutType* FindStockOutType(std::string_view tipord) {
  for (const StockOutType* type : kTypes)
    if (type->tipord == tipord) return type;
  return nullptr;
}

morvi01b::morvi01b(Terminal& terminal)
    : DocumentMenu(terminal, kForm, DocumentKind::StockOut),
      Command1(*this, kCommand1),
      Label1(*this, kLabel1),
      operw(*this, kOperw),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command5(*this, kCommand5) {
  Command12.Click = [this] { Command12_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command5.Click = [this] { Unload(); };
}

void morvi01b::Form_Load() {
  SessionContext& s = session();
  s.ean = "";
  operw.setText(std::to_string(s.oper));
  if (const StockOutType* type = FindStockOutType(s.tipord.str())) {
    Command1.Caption = type->title;
    for (Button* action : {&Command12, &Command13, &Command2, &Command3, &Command5})
      action->BackColor = type->color;
    s.tipdoc = type->tipdoc;
  }
  takeNumber();
}

// "Inserisco Articoli".
void morvi01b::Command12_Click() {
  if (operatorChosen(operw)) Show("morvi05");
}

// "Vedo Articoli".
void morvi01b::Command13_Click() {
  if (operatorChosen(operw)) Show("morvi06");
}

// "Confermo Documento": a document is confirmed once per opening of the menu.
void morvi01b::Command2_Click() {
  if (!operatorChosen(operw)) return;
  if (MsgBox("Attenzione  !!  Sei sicuro di voler Confermare questo Documento ?", kYesNoNoDefault,
             "Conferma inventario") != vbYes)
    return;
  if (!confirmDocument()) return;
  Command2.Visible = false;
  MsgBox("Numero Documento creato =  " + std::to_string(session().numero), vbInformation);
}

// "Cancello Articoli".
void morvi01b::Command3_Click() {
  if (!operatorChosen(operw)) return;
  if (MsgBox("Attenzione  !!  Sei sicuro di voler Cancellare questo inventario ?", kYesNoNoDefault,
             "Cancellazione inventario") != vbYes)
    return;
  deleteSlotLines();
  Command3.Visible = false;
  MsgBox("L'inventario è stato cancellato ", vbInformation);
}

}  // namespace gw::inventory
