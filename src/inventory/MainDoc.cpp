#include "inventory/MainDoc.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "MainDoc"};
}  // namespace

MainDoc::MainDoc(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
