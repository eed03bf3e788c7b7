#include "inventory/con_inv.h"
