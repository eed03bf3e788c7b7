// Prompt "morvi05er".
#include "inventory/morvi05er.h"

#include "core/session/session_context.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr Color kAlarm = 0x008080FF;
constexpr Color kGreen = 0x0000FF00;
constexpr Font kTextFont{"Arial", 12, true};
constexpr Font kAnswerFont{"Arial", 18, true};

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvi05er",
                         .caption = "Immissione Ordine",
                         .width = 4290,
                         .height = 4275,
                         .full_screen = false};

constexpr ControlSpec kFrame1{
    .name = "Frame1", .left = 0, .top = 0, .width = 4215, .height = 3855, .back = kAlarm};
// The blanks break the text into its three lines.
constexpr ControlSpec kLabel1{
    .name = "Label1",
    .caption =
        "       ATTENZIONE ! ! !                                                          "
        "Codice articolo non presente in archivio                                          "
        "Lo vuoi inserire ?",
    .left = 120,
    .top = 240,
    .width = 3975,
    .height = 1920,
    .back = kAlarm,
    .font = kTextFont,
    .align = Align::Center,
    .container = "Frame1"};
constexpr ControlSpec kLabel16{.name = "Label16",
                               .caption = "     SI",
                               .left = 240,
                               .top = 2520,
                               .width = 1680,
                               .height = 840,
                               .back = kGreen,
                               .font = kAnswerFont,
                               .container = "Frame1"};
constexpr ControlSpec kLabel17{.name = "Label17",
                               .caption = "     NO",
                               .left = 2280,
                               .top = 2520,
                               .width = 1680,
                               .height = 840,
                               .back = kGreen,
                               .font = kAnswerFont,
                               .container = "Frame1"};

}  // namespace

morvi05er::morvi05er(Terminal& terminal)
    : Screen(terminal, kForm),
      Frame1(*this, kFrame1),
      Label1(*this, kLabel1),
      Label16(*this, kLabel16),
      Label17(*this, kLabel17) {
  // "SI" takes nothing in: the article has no price-list row to make a
  // line of, so both answers go back to the entry screen.
  Label16.Click = [this] { Unload(); };
  Label17.Click = [this] { Unload(); };
}

void morvi05er::Form_Load() {
  SessionContext& s = session();
  s.codlis = "";
  s.codcasa = 0;
  s.anno = CurrentYear();
}

}  // namespace gw::inventory
