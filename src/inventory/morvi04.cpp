#include "inventory/morvi04.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "morvi04"};
}  // namespace

morvi04::morvi04(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
