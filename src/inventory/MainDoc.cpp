// Stock-out document types "MainDoc".
#include "inventory/MainDoc.h"

#include "core/session/session_context.h"
#include "core/ui/menu_style.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr Font kTypeFont{"Arial Black", 24, true};

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "MainDoc", .width = 9045, .back = kMenuBack};

constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "GESTIONE DOCUMENTI",
                                .left = 0,
                                .top = 0,
                                .width = 9045,
                                .height = 855,
                                .back = 0x00FF80FF,
                                .font = kMenuTitleFont};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "DISTRUZIONE",
                                 .left = 120,
                                 .top = 2280,
                                 .width = 8775,
                                 .height = 1575,
                                 .back = kDistruzione.color,
                                 .font = kTypeFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "ROTTAMAZIONE",
                                 .left = 120,
                                 .top = 4080,
                                 .width = 8775,
                                 .height = 1575,
                                 .back = kRottamazione.color,
                                 .font = kTypeFont,
                                 .cancel = true};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "SCARTI",
                                .left = 120,
                                .top = 5880,
                                .width = 8775,
                                .height = 1575,
                                .back = kScarti.color,
                                .font = kTypeFont};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .caption = "AUTOCONSUMO",
                                .left = 120,
                                .top = 7680,
                                .width = 8775,
                                .height = 1575,
                                .back = kAutoconsumo.color,
                                .font = {"Arial Black", 28, true}};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "USCITA",
                                .left = 120,
                                .top = 9600,
                                .width = 8775,
                                .height = 1575,
                                .back = 0x00C0C0FF,
                                .font = kTypeFont,
                                .picture = Picture::Exit};

}  // namespace

MainDoc::MainDoc(Terminal& terminal)
    : Screen(terminal, kForm),
      Command1(*this, kCommand1),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command5(*this, kCommand5) {
  Command12.Click = [this] { choose(kDistruzione); };
  Command13.Click = [this] { choose(kRottamazione); };
  Command2.Click = [this] { choose(kScarti); };
  Command3.Click = [this] { choose(kAutoconsumo); };
  Command5.Click = [this] { Unload(); };
}

void MainDoc::Form_Load() {
  session().codutente = 1;
}

void MainDoc::choose(const StockOutType& type) {
  SessionContext& s = session();
  s.tipord = type.tipord;
  s.oper = type.oper;
  Show("morvi01b");
}

}  // namespace gw::inventory
