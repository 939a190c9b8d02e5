#pragma once
// One-pixel lines straight into an image's pixels: the common case of a panel's drawing (a
// frame has some 12,800 short lines), without a painter's cost per line.

#include <QImage>
#include <QLineF>
#include <QVector>

namespace linelab {

// Each line from the pixel holding its first end to the pixel holding its second, a step
// along the longer axis between, clipped to `image` (which must be Format_RGB32 or
// Format_ARGB32); ends further out than a million pixels are held there.
void RasterLines(QImage& image, const QVector<QLineF>& lines, QRgb colour);

}  // namespace linelab
