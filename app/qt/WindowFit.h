#pragma once
// Where the window opens: within the screen's available area, centred on it.

#include <QRect>
#include <QSize>

namespace linelab {

// The wanted size, shrunk to the available area where it is larger, centred in it.
QRect InitialGeometry(const QRect& available, QSize wanted);

}  // namespace linelab
