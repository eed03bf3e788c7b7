#include "inventory/inventory_export.h"
