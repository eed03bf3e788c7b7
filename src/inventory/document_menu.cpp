#include "inventory/document_menu.h"
