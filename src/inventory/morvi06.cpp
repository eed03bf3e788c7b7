// Inventory view "morvi06" and the export file.
#include "inventory/morvi06.h"

#include <vector>

#include "core/session/session_context.h"
#include "core/ui/terminal.h"
#include "inventory/inventory_export.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr Font kSmallFont{"Small Fonts", 7};
constexpr Font kBigFont{"Arial", 14, true};
constexpr Font kGridFont{"Arial", 12, true};

// --- Layout ---------------------------------------------------------------
constexpr lookup::ListLayout kLayout{
    .form = {.name = "morvi06",
             .caption = "Consultazione Inventario",
             .width = 8790,
             .height = 10950},
    .eanw =
        {.name = "eanw", .left = 0, .top = 240, .width = 1935, .height = 720, .font = kSmallFont},
    .ricw = {.name = "ricw",
             .left = 1920,
             .top = 240,
             .width = 5175,
             .height = 720,
             .font = kBigFont,
             .keyboard = Keyboard::Text},
    .totqw = {.name = "totqw",
              .left = 7080,
              .top = 240,
              .width = 1575,
              .height = 720,
              .font = kBigFont,
              .align = Align::Center,
              .keyboard = Keyboard::Numeric},
    .ord =
        {.name = "ord", .left = 0, .top = 1200, .width = 8655, .height = 6735, .font = kGridFont},
    .Command5 = {.name = "Command5",
                 .left = 120,
                 .top = 8280,
                 .width = 2655,
                 .height = 1575,
                 .back = 0x00FFC0C0,
                 .tooltip = "Vedo articolo",
                 .picture = Picture::View},
    .Command1 = {.name = "Command1",
                 .left = 5760,
                 .top = 8280,
                 .width = 2895,
                 .height = 1575,
                 .back = 0x00C0C0FF,
                 .tooltip = "Uscita programma",
                 .picture = Picture::Exit},
};
constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Codice Ean",
                              .left = 0,
                              .top = 0,
                              .width = 1335,
                              .height = 375,
                              .font = kSmallFont};
constexpr ControlSpec kLabel4{
    .name = "Label4", .caption = "Tot.Inven.", .left = 2760, .top = 0, .width = 735, .height = 255};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .left = 2880,
                                .top = 8280,
                                .width = 2655,
                                .height = 1575,
                                .back = 0x00C0E0FF,
                                .tooltip = "Crea file testo INVE1.dat",
                                .picture = Picture::Confirm};

constexpr std::string_view kNoData = "ATTENZIONE !!!. Non ci sono dati ";
constexpr std::string_view kNoDatabase = "ATTENZIONE !!!. Non è stato selezionato l'archivio dati";
constexpr std::string_view kNotWritten = "ATTENZIONE !!!. Impossibile scrivere il file ";

// --- The list -------------------------------------------------------------
// The description keeps its alias so that the header reads "Descrizione":
// the engine names a column without one as the table declares it.
constexpr int kWidths[] = {2500, 5000, 800};

db::Query OperatorLines(const SessionContext& s) {
  return {
      "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM inventario WHERE "
      "oper = ?",
      {Value(s.oper)}};
}

constexpr lookup::ListParams kParams{
    .database = &SessionContext::pathlavoro,
    .load_query = OperatorLines,
    .base_query =
        "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM inventario",
    .widths = kWidths,
    .order_held = lookup::OrderHeld::InSession,
    .typing_query =
        "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM inventario "
        "where eanrig > ? ",
    .down_query = "SELECT * FROM inventario where eanrig > ? ",
    .down_arrow = lookup::DownArrow::Layout,
    .entry_screen = "morvi05",
    .open_entry = lookup::OpenEntry::InsteadOfList,
};

}  // namespace

morvi06::morvi06(Terminal& terminal)
    : ListScreen(terminal, kLayout, kParams),
      Label1(*this, kLabel1),
      Label4(*this, kLabel4),
      Command2(*this, kCommand2),
      inventario(terminal.databases()),
      Data1(terminal.databases()) {
  bindList(inventario);
  Command2.Click = [this] { Command2_Click(); };
}

// Every line of every operator goes into the file, whichever operator the
// view lists. The file is replaced whole, emptied when there is no line; when
// it cannot be written the old one stays and so does the view.
void morvi06::Command2_Click() {
  const SessionContext& s = session();
  if (s.pathlavoro.empty()) {
    MsgBox(kNoDatabase, vbInformation);
    return;
  }
  inventario.DatabaseName = s.pathlavoro;
  inventario.RecordSource = {"SELECT * FROM inventario", {}};
  inventario.Refresh();
  std::vector<ExportLine> lines;
  db::QueryRecordset& rows = inventario.Recordset();
  for (; !rows.eof(); rows.moveNext())
    lines.push_back({rows.field("eanrig"), rows.field("quantita")});
  rows.moveFirst();

  if (std::error_code error = WriteExportFile(MapPath(kExportFile), ExportText(lines))) {
    MsgBox(std::string(kNotWritten) + std::string(kExportFile) + " (" + error.message() + ")",
           vbCritical);
    return;
  }
  if (lines.empty()) {
    MsgBox(kNoData, vbInformation);
    return;
  }
  Unload();
}

}  // namespace gw::inventory
