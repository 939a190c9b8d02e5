#pragma once
// What each control does and in which unit, shown when the pointer rests on it; for every
// view.

#include <string_view>

#include "ui/Controls.h"

namespace linelab {

// Empty for controls that need no explanation (fixed captions, the timer).
std::string_view ToolTipText(ControlRef control);

}  // namespace linelab
