#pragma once
// What is painted over an eye panel's drawing area: the density image in place of the line
// image when density eyes are on (the panel paints its threshold and sampling markers on top
// of it), and over the receive eye the calipers of its measured opening.

#include <QColor>
#include <QRect>
#include <optional>

#include "analysis/EyeStatistics.h"
#include "ui/EyeCalipers.h"

class QPainter;

namespace linelab {

class DensityEye;

void PaintDensity(QPainter& painter, const QRect& rect, const DensityEye& density);

// The calipers (ui/EyeCalipers.h) at the sampling instant (samplingX, in panel units, from
// the frame).
// In `colour`: the window's light blue, or with the projector palette black over a line
// eye and white over a density eye, two pixels wide.
void PaintCalipers(QPainter& painter, const EyeFigures& figures, const EyeGeometry& geometry,
                   std::optional<double> samplingX, const QColor& colour);
// The calipers' colour over a density eye or a line eye, in either palette.
QColor CaliperColour(bool density, bool highContrast);

}  // namespace linelab
