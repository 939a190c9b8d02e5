#pragma once
// What is painted over an eye panel's drawing area: the density image in place of the line
// image when density eyes are on (the panel paints its threshold and sampling markers on top
// of it), and over the receive eye the calipers of its measured opening.

#include <QColor>
#include <QRect>
#include <optional>

#include "analysis/EyeStatistics.h"

class QPainter;

namespace linelab {

class DensityEye;

// How sample values and symbol periods map to the panel, as the eye routine draws them.
struct EyeGeometry {
    double dScaleWidth = 0;  // the transmit eye's scale, which every eye is drawn with
    double dScaleHeight = 0;
    double dScaleFactor = 0;  // the panel's amplitude factor (the receive eye's is sqrt 2)
    double dBaudRate = 1;

    // Panel pixels.
    double Y(double value) const;
    double SymbolWidth() const;
};

void PaintDensity(QPainter& painter, const QRect& rect, const DensityEye& density);

// Calipers at the sampling instant (samplingX, in panel units, from the frame): per level its mean
// and one standard deviation either side; per gap a vertical caliper of the measured height
// and a horizontal one of the measured width, both centred on the gap's threshold and the
// sampling instant (the figures give the sizes of the openings, not their ends).
// In `colour`: the window's light blue, or with the projector palette black over a line
// eye and white over a density eye, two pixels wide.
void PaintCalipers(QPainter& painter, const EyeFigures& figures, const EyeGeometry& geometry,
                   std::optional<double> samplingX, const QColor& colour);
// The calipers' colour over a density eye or a line eye, in either palette.
QColor CaliperColour(bool density, bool highContrast);

}  // namespace linelab
