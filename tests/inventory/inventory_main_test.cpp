#include <gtest/gtest.h>

#include "app/screens.h"

// Every inventory screen is registered under its own name.
TEST(InventoryScreens, Registered) {
  const auto& registry = gw::app::StandardScreens();
  for (const char* name : {"morvi04", "MainDoc", "morvi01b", "morvi05", "morvi05er", "morvi06"})
    EXPECT_NE(registry.find(name), nullptr) << name;
}
