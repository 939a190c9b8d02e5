#pragma once
// What each control does and in which unit, shown when the pointer rests on it.

#include <QString>

#include "ui/Controls.h"

namespace linelab {

// Empty for controls that need no explanation (fixed captions, the timer).
QString ToolTipOf(ControlRef control);

}  // namespace linelab
