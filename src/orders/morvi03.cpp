// Order view "morvi03".
#include "orders/morvi03.h"

#include "core/ui/terminal.h"

namespace gw::orders {
namespace {

using namespace ui;

constexpr Font kBigFont{"Arial", 14, true};
constexpr Font kGridFont{"Arial", 12, true};

// --- Layout ---------------------------------------------------------------
constexpr lookup::ListLayout kLayout{
    .form = {.name = "morvi03", .caption = "Consultazione Ordine"},
    .eanw = {.name = "eanw", .left = 0, .top = 720, .width = 2775, .height = 720, .font = kBigFont},
    .ricw = {.name = "ricw",
             .left = 2760,
             .top = 720,
             .width = 4935,
             .height = 720,
             .font = kBigFont,
             .keyboard = Keyboard::Text},
    .totqw = {.name = "totqw",
              .left = 7680,
              .top = 720,
              .width = 975,
              .height = 720,
              .font = kBigFont,
              .align = Align::Center,
              .keyboard = Keyboard::Numeric},
    .ord =
        {.name = "ord", .left = 0, .top = 1440, .width = 8655, .height = 5295, .font = kGridFont},
    .Command5 = {.name = "Command5",
                 .left = 0,
                 .top = 6840,
                 .width = 4455,
                 .height = 1575,
                 .back = 0x00FF8080,
                 .tooltip = "Vedo articolo",
                 .picture = Picture::View},
    .Command1 = {.name = "Command1",
                 .left = 4560,
                 .top = 6840,
                 .width = 4095,
                 .height = 1575,
                 .back = 0x008080FF,
                 .tooltip = "Uscita programma",
                 .picture = Picture::Exit},
};
constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Codice Ean",
                              .left = 0,
                              .top = 360,
                              .width = 2415,
                              .height = 375,
                              .font = kBigFont};
constexpr ControlSpec kLabel2{.name = "Label2",
                              .caption = "Descrizione",
                              .left = 2760,
                              .top = 360,
                              .width = 2415,
                              .height = 375,
                              .font = kBigFont};

// --- The list -------------------------------------------------------------
// The description keeps its alias so that the header reads "Descrizione":
// the engine names a column without one as the table declares it.
constexpr int kWidths[] = {2500, 5000, 800};

db::Query DepartmentLines(const SessionContext& s) {
  return {
      "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM ordine  WHERE "
      "tipord = ?",
      {Value(s.tipord.str())}};
}

constexpr lookup::ListParams kParams{
    .database = &SessionContext::pathdati,
    .load_query = DepartmentLines,
    .base_query = "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM ordine",
    .widths = kWidths,
    .order_held = lookup::OrderHeld::InLinkCaption,
    .down_query = "SELECT * FROM ordine where eanrig > ? ",
    .down_arrow = lookup::DownArrow::NextLine,
    .entry_screen = "morvi02",
    .open_entry = lookup::OpenEntry::OverList,
};

}  // namespace

morvi03::morvi03(Terminal& terminal)
    : ListScreen(terminal, kLayout, kParams),
      Label1(*this, kLabel1),
      Label2(*this, kLabel2),
      ordine(terminal.databases()),
      Data1(terminal.databases()) {
  bindList(ordine);
}

}  // namespace gw::orders
