#include "inventory/morvi05.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "morvi05"};
}  // namespace

morvi05::morvi05(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
