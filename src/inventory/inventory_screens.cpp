#include "inventory/inventory_screens.h"

#include <memory>

#include "inventory/MainDoc.h"
#include "inventory/morvi01b.h"
#include "inventory/morvi04.h"
#include "inventory/morvi05.h"
#include "inventory/morvi05er.h"
#include "inventory/morvi06.h"

namespace gw::inventory {

void RegisterInventoryScreens(ui::ScreenRegistry& registry) {
  registry.add("morvi04", [](ui::Terminal& t) { return std::make_unique<morvi04>(t); });
  registry.add("MainDoc", [](ui::Terminal& t) { return std::make_unique<MainDoc>(t); });
  registry.add("morvi01b", [](ui::Terminal& t) { return std::make_unique<morvi01b>(t); });
  registry.add("morvi05", [](ui::Terminal& t) { return std::make_unique<morvi05>(t); });
  registry.add("morvi05er", [](ui::Terminal& t) { return std::make_unique<morvi05er>(t); });
  registry.add("morvi06", [](ui::Terminal& t) { return std::make_unique<morvi06>(t); });
}

}  // namespace gw::inventory
