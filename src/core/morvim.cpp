// Start screen "morvim".
#include "core/morvim.h"

#include "core/db/database.h"
#include "core/session/session_context.h"
#include "core/ui/menu_style.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw {
namespace {

using namespace ui;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvim", .caption = "", .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE WI-FI  R.2.0",
                                .left = 0,
                                .top = 0,
                                .width = 9000,
                                .height = 855,
                                .back = kMenuTitleBack,
                                .font = kMenuTitleFont};
constexpr ControlSpec kLabel1{.name = "Label1",
                              .left = 0,
                              .top = 960,
                              .width = 9000,
                              .height = 600,
                              .back = kMenuBack,
                              .font = kMenuTitleFont,
                              .align = Align::Center};
constexpr ControlSpec kImage1{.name = "Image1",
                              .left = 2700,
                              .top = 2400,
                              .width = 3600,
                              .height = 3600,
                              .picture = Picture::Logo};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Ordini",
                                 .left = 240,
                                 .top = 1800,
                                 .width = 4140,
                                 .height = 1500,
                                 .font = kMenuButtonFont,
                                 .visible = false};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Inventario",
                                 .left = 4620,
                                 .top = 1800,
                                 .width = 4140,
                                 .height = 1500,
                                 .font = kMenuButtonFont,
                                 .visible = false,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Frontalini",
                                .left = 240,
                                .top = 3540,
                                .width = 4140,
                                .height = 1500,
                                .font = kMenuButtonFont,
                                .visible = false};
constexpr ControlSpec kCommand10{.name = "Command10",
                                 .caption = "Documenti",
                                 .left = 4620,
                                 .top = 3540,
                                 .width = 4140,
                                 .height = 1500,
                                 .font = kMenuButtonFont,
                                 .visible = false};
constexpr ControlSpec kCommand7{.name = "Command7",
                                .caption = "Scontrini",
                                .left = 240,
                                .top = 5280,
                                .width = 8520,
                                .height = 1500,
                                .font = kMenuButtonFont,
                                .visible = false};
constexpr ControlSpec kSelfor0{
    .name = "selfor(0)", .left = 0, .top = 7200, .width = 9000, .height = 2700, .back = kMenuBack};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "ACCEDI",
                                .left = 240,
                                .top = 240,
                                .width = 8520,
                                .height = 1800,
                                .font = kMenuButtonFont,
                                .container = "selfor(0)"};
constexpr ControlSpec kCommand4{.name = "Command4",
                                .caption = "......",
                                .left = 7320,
                                .top = 2160,
                                .width = 600,
                                .height = 420,
                                .container = "selfor(0)"};
constexpr ControlSpec kCommand6{.name = "Command6",
                                .caption = "ALTRI",
                                .left = 8040,
                                .top = 2160,
                                .width = 720,
                                .height = 420,
                                .container = "selfor(0)"};
constexpr ControlSpec kPippa{.name = "pippa",
                             .caption = "Selezione Fornitore",
                             .left = 0,
                             .top = 840,
                             .width = 9000,
                             .height = 9200,
                             .visible = false};
constexpr ControlSpec kFlex1{
    .name = "flex1", .left = 120, .top = 300, .width = 8760, .height = 7400, .container = "pippa"};
constexpr ControlSpec kCommand9{.name = "Command9",
                                .left = 5400,
                                .top = 7860,
                                .width = 1500,
                                .height = 1200,
                                .tooltip = "Conferma",
                                .picture = Picture::Confirm,
                                .container = "pippa"};
constexpr ControlSpec kCommand8{.name = "Command8",
                                .left = 7200,
                                .top = 7860,
                                .width = 1500,
                                .height = 1200,
                                .tooltip = "Indietro",
                                .picture = Picture::Back,
                                .container = "pippa"};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "USCITA",
                                .left = 240,
                                .top = 10080,
                                .width = 8520,
                                .height = 1200,
                                .font = kMenuButtonFont};
constexpr ControlSpec kDrive1{.name = "Drive1", .visible = false};

constexpr std::string_view kConfigurationDatabase = "\\tolv\\vorsa.mdb";
constexpr std::string_view kWorkingDatabase = "\\vorsa\\dati.mdb";
constexpr std::string_view kFirstStore = "\\quib\\dati.mdb";
constexpr std::string_view kSecondStore = "\\murantopexi\\dati.mdb";
constexpr std::string_view kSupplierStore = "\\vorsa\\dati.mdb";

}  // namespace

morvim::morvim(Terminal& terminal)
    : Screen(terminal, kForm),
      Command1(*this, kCommand1),
      Label1(*this, kLabel1),
      Image1(*this, kImage1),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command10(*this, kCommand10),
      Command7(*this, kCommand7),
      selfor0(*this, kSelfor0),
      Command3(*this, kCommand3),
      Command4(*this, kCommand4),
      Command6(*this, kCommand6),
      pippa(*this, kPippa),
      flex1(*this, kFlex1),
      Command9(*this, kCommand9),
      Command8(*this, kCommand8),
      Command5(*this, kCommand5),
      Drive1(*this, kDrive1),
      Data1(terminal.databases()),
      Data2(terminal.databases()) {
  flex1.bind(Data1);
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  flex1.Click = [this] { flex1_Click(); };
  Command9.Click = [this] { Command9_Click(); };
  Command8.Click = [this] { Command8_Click(); };
  Command12.Click = [this] { Show("MainOrd"); };
  Command13.Click = [this] { Show("morvi04"); };
  Command2.Click = [this] { Show("morvi07"); };
  Command10.Click = [this] { Show("MainDoc"); };
  Command7.Click = [this] { Show("sco01"); };
  Command5.Click = [this] { Unload(); };
}

void morvim::Form_Load() {
  SessionContext& s = session();
  s.codutente = 1;
  selfor0.Left = 0;
  selfor0.Top = 7200;
  selfor0.Visible = true;
  pippa.Visible = false;

  // The drive is not known yet: the configuration is looked for on the
  // current drive.
  std::string configuration = s.drive + std::string(kConfigurationDatabase);
  if (FileExists(configuration)) {
    Data2.DatabaseName = configuration;
    Data2.RecordSource = {"SELECT * FROM società ", {}};
    Data2.Refresh();
    if (!Data2.Recordset().eof()) s.pathlavoro = Data2.Recordset().field("database").toText();
  }
  if (vb::Trim(s.pathlavoro).empty()) s.pathlavoro = s.drive + std::string(kWorkingDatabase);
}

void morvim::chooseStore(std::string_view tail) {
  SessionContext& s = session();
  s.drive = Drive1.Drive();
  s.pathdati = s.drive + std::string(tail);
  s.pathdati2 = s.pathdati;
}

void morvim::readStoreName() {
  SessionContext& s = session();
  s.codcliente = 1;
  db::TableRecordset clienti = databases().open(s.pathdati).openTable("clienti");
  clienti.setIndex("primary");
  clienti.seek(Value(s.codcliente));
  if (!clienti.noMatch()) s.dsccliente = clienti.field("dsccliente").toText();
  Label1.Caption = s.dsccliente;
}

void morvim::Command3_Click() {
  chooseStore(kFirstStore);
  readStoreName();
  for (Button* menu : {&Command2, &Command7, &Command12, &Command13, &Command10})
    menu->Visible = true;
  selfor0.Visible = false;
  Image1.Visible = false;
}

void morvim::Command4_Click() {
  chooseStore(kSecondStore);
  readStoreName();
  selfor0.Visible = false;
}

void morvim::Command6_Click() {
  SessionContext& s = session();
  chooseStore(kSupplierStore);
  // Lines already being worked on belong to one supplier: carry on with it.
  Data1.DatabaseName = s.pathdati;
  for (std::string_view table :
       {"SELECT * FROM ordine ", "SELECT * FROM carico ", "SELECT * FROM resi "}) {
    Data1.RecordSource = {std::string(table), {}};
    Data1.Refresh();
    db::QueryRecordset& rs = Data1.Recordset();
    if (rs.eof()) continue;
    s.desfor = rs.field("desfor").toText();
    Value code = rs.field("codfor");
    s.codfor = code.isNull() ? 0 : vb::CInt(code);
    Command9_Click();
    return;
  }
  Data1.RecordSource = {
      "SELECT [codfornitore] as Codice,[dscfornitore] as Descrizione FROM fornitori "
      " WHERE dscfornitore  >='' ORDER BY [dscfornitore]",
      {}};
  Data1.Refresh();
  flex1.setColWidth(0, 0);
  flex1.setColWidth(1, 900);
  flex1.setColWidth(2, 2800);
  Label1.Caption = s.dsccliente;
  selfor0.Visible = false;
  pippa.Left = 0;
  pippa.Top = 840;
  pippa.Visible = true;
}

void morvim::flex1_Click() {
  SessionContext& s = session();
  s.codcasa = 0;
  if (flex1.MouseRow > 0) {
    s.codfor = vb::CInt(Value(flex1.TextMatrix(flex1.MouseRow, 1)));
    s.desfor = flex1.TextMatrix(flex1.MouseRow, 2);
  }
}

void morvim::Command9_Click() {
  pippa.Visible = false;
  Show("morvif");
}

void morvim::Command8_Click() {
  pippa.Visible = false;
  selfor0.Visible = true;
}

}  // namespace gw
