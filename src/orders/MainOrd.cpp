// Department menu "MainOrd".
#include "orders/MainOrd.h"

#include "core/session/session_context.h"
#include "core/ui/menu_style.h"

namespace gw::orders {
namespace {

using namespace ui;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "MainOrd", .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE ORDINI",
                                .left = 0,
                                .top = 0,
                                .width = 9000,
                                .height = 855,
                                .back = kMenuTitleBack,
                                .font = kMenuTitleFont};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "SALA",
                                 .left = 240,
                                 .top = 1200,
                                 .width = 8520,
                                 .height = 1800,
                                 .back = kSala.color,
                                 .font = kMenuButtonFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "MACELLERIA/FRESCHI",
                                 .left = 240,
                                 .top = 3240,
                                 .width = 8520,
                                 .height = 1800,
                                 .back = kMacelleria.color,
                                 .font = kMenuButtonFont,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "ORTOFRUTTA",
                                .left = 240,
                                .top = 5280,
                                .width = 8520,
                                .height = 1800,
                                .back = kOrtofrutta.color,
                                .font = kMenuButtonFont};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "SURGELATI",
                                .left = 240,
                                .top = 7320,
                                .width = 8520,
                                .height = 1800,
                                .back = kSurgelati.color,
                                .font = kMenuButtonFont};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "USCITA",
                                .left = 240,
                                .top = 10080,
                                .width = 8520,
                                .height = 1200,
                                .font = kMenuButtonFont};

}  // namespace

MainOrd::MainOrd(Terminal& terminal)
    : Screen(terminal, kForm),
      Command1(*this, kCommand1),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command5(*this, kCommand5) {
  Command12.Click = [this] { choose(kSala); };
  Command13.Click = [this] { choose(kMacelleria); };
  Command2.Click = [this] { choose(kOrtofrutta); };
  Command3.Click = [this] { choose(kSurgelati); };
  Command5.Click = [this] { Unload(); };
}

void MainOrd::Form_Load() {
  session().codutente = 1;
}

void MainOrd::choose(const Department& department) {
  session().tipord = department.tipord;
  Show("morvi01");
}

}  // namespace gw::orders
