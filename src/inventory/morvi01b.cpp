#include "inventory/morvi01b.h"

namespace gw::inventory {
namespace {
constexpr ui::FormSpec kForm{.name = "morvi01b"};
}  // namespace

morvi01b::morvi01b(ui::Terminal& terminal) : Screen(terminal, kForm) {}

}  // namespace gw::inventory
