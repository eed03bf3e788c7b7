// The look the store's menu screens share: the light blue window, the
// darker title strip and the big bold captions of the menu buttons.
#pragma once

#include "core/ui/control.h"

namespace gw::ui {

inline constexpr Color kMenuBack = 0x00FFC0C0;
inline constexpr Color kMenuTitleBack = 0x00FF8080;
inline constexpr Font kMenuTitleFont{"Arial", 14, true};
inline constexpr Font kMenuButtonFont{"Arial", 16, true};

}  // namespace gw::ui
