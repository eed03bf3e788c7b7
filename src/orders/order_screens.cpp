#include "orders/order_screens.h"

#include <memory>

#include "orders/MainOrd.h"
#include "orders/cnford.h"
#include "orders/morvi01.h"
#include "orders/morvi02.h"
#include "orders/morvi03.h"

namespace gw::orders {

void RegisterOrderScreens(ui::ScreenRegistry& registry) {
  registry.add("MainOrd", [](ui::Terminal& t) { return std::make_unique<MainOrd>(t); });
  registry.add("morvi01", [](ui::Terminal& t) { return std::make_unique<morvi01>(t); });
  registry.add("morvi02", [](ui::Terminal& t) { return std::make_unique<morvi02>(t); });
  registry.add("morvi03", [](ui::Terminal& t) { return std::make_unique<morvi03>(t); });
  registry.add("cnford", [](ui::Terminal& t) { return std::make_unique<cnford>(t); });
}

}  // namespace gw::orders
