#include "orders/order_screens.h"

namespace gw::orders {

void RegisterOrderScreens(ui::ScreenRegistry&) {}

}  // namespace gw::orders
