#include "inventory/morvi06.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "morvi06"};
}  // namespace

morvi06::morvi06(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
