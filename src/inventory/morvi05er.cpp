#include "inventory/morvi05er.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "morvi05er"};
}  // namespace

morvi05er::morvi05er(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
