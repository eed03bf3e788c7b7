#include "app/screens.h"

#include "core/morvim.h"
#include "inventory/inventory_screens.h"
#include "orders/order_screens.h"

namespace gw::app {
namespace {

template <typename S>
void Add(ui::ScreenRegistry& registry, std::string_view name) {
  registry.add(name, [](ui::Terminal& t) { return std::make_unique<S>(t); });
}

ui::ScreenRegistry Build() {
  ui::ScreenRegistry registry;
  Add<morvim>(registry, "morvim");
  orders::RegisterOrderScreens(registry);
  inventory::RegisterInventoryScreens(registry);
  return registry;
}

}  // namespace

const ui::ScreenRegistry& StandardScreens() {
  static const ui::ScreenRegistry registry = Build();
  return registry;
}

}  // namespace gw::app
