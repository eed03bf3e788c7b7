// Order menu "morvi01".
#include "orders/morvi01.h"

#include "core/db/database.h"
#include "core/session/session_context.h"
#include "core/ui/menu_style.h"
#include "core/ui/terminal.h"

namespace gw::orders {
namespace {

using namespace ui;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvi01", .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE ORDINI",
                                .left = 0,
                                .top = 0,
                                .width = 9000,
                                .height = 855,
                                .back = kMenuTitleBack,
                                .font = kMenuTitleFont};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Inserisco Articoli",
                                 .left = 240,
                                 .top = 1200,
                                 .width = 8520,
                                 .height = 1560,
                                 .font = kMenuButtonFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Vedo Ordine",
                                 .left = 240,
                                 .top = 2940,
                                 .width = 8520,
                                 .height = 1560,
                                 .font = kMenuButtonFont,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Confermo Ordine",
                                .left = 240,
                                .top = 4680,
                                .width = 8520,
                                .height = 1560,
                                .font = kMenuButtonFont};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "Cancello Ordine",
                                .left = 240,
                                .top = 6420,
                                .width = 8520,
                                .height = 1560,
                                .font = kMenuButtonFont};
constexpr ControlSpec kCommand4{.name = "Command4",
                                .caption = "Confronta PV",
                                .left = 240,
                                .top = 8160,
                                .width = 8520,
                                .height = 1560,
                                .font = kMenuButtonFont,
                                .visible = false};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "Uscita",
                                .left = 240,
                                .top = 10080,
                                .width = 8520,
                                .height = 1200,
                                .font = kMenuButtonFont};

constexpr const Department* kDepartments[] = {&kSala, &kMacelleria, &kOrtofrutta, &kSurgelati};

}  // namespace

const Department* FindDepartment(std::string_view tipord) {
  for (const Department* department : kDepartments)
    if (department->tipord == tipord) return department;
  return nullptr;
}

morvi01::morvi01(Terminal& terminal)
    : Screen(terminal, kForm),
      Command1(*this, kCommand1),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command4(*this, kCommand4),
      Command5(*this, kCommand5),
      ordine(terminal.databases()) {
  Command12.Click = [this] { Show("morvi02"); };
  Command13.Click = [this] { Show("morvi03"); };
  Command2.Click = [this] { Show("cnford"); };
  Command3.Click = [this] { Command3_Click(); };
  Command5.Click = [this] { Unload(); };
}

void morvi01::Form_Load() {
  SessionContext& s = session();
  if (const Department* department = FindDepartment(s.tipord.str())) {
    Command1.Caption = department->title;
    for (Button* action : {&Command12, &Command13, &Command2, &Command3, &Command5})
      action->BackColor = department->color;
  }
  s.ean = "";
}

// "Cancello Ordine": removes every working line of the department.
void morvi01::Command3_Click() {
  if (MsgBox("Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?", kYesNoNoDefault,
             "Cancellazione Ordine") != vbYes)
    return;
  SessionContext& s = session();
  ordine.DatabaseName = s.pathdati;
  ordine.RecordSource = {"SELECT * FROM ordine WHERE tipord = ?", {Value(s.tipord.str())}};
  ordine.Refresh();
  db::Transaction transaction(databases().open(s.pathdati));
  for (db::QueryRecordset& lines = ordine.Recordset(); !lines.eof(); lines.moveNext())
    lines.remove();
  transaction.commit();
}

}  // namespace gw::orders
