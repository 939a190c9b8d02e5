#include "ui/EyeCalipers.h"

#include <algorithm>
#include <cmath>

#include "common/Signal.h"
#include "display/Canvas.h"

namespace linelab {
namespace {

constexpr double kUnits = kUnitsPerPixel;
constexpr double kSpreadHalfWidth = 6;
constexpr double kTickHalfWidth = 8;
constexpr double kBracketCap = 4;

// A line with a cap across each end.
void Bracket(std::vector<CaliperLine>& lines, double x1, double y1, double x2, double y2) {
    lines.push_back({x1, y1, x2, y2});
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (length <= 0) return;
    const double ax = -(y2 - y1) / length * kBracketCap;
    const double ay = (x2 - x1) / length * kBracketCap;
    lines.push_back({x1 - ax, y1 - ay, x1 + ax, y1 + ay});
    lines.push_back({x2 - ax, y2 - ay, x2 + ax, y2 + ay});
}

}  // namespace

double EyeGeometry::Y(double value) const {
    // The eye routine: y = H / 2 - value / q with q = (2 / 0.7) / H * factor, in units.
    const double q = (2 / 0.7) / dScaleHeight * dScaleFactor;
    return (dScaleHeight * 0.5 - value / q) / kUnits;
}

double EyeGeometry::SymbolWidth() const {
    // 16 samples a symbol, 33 / W * rate samples a unit.
    const double samplesPerUnit = 33 / dScaleWidth * UsableBaudRate(dBaudRate);
    return EyeStatistics::kSamplesPerSymbol / samplesPerUnit / kUnits;
}

CaliperShapes CalipersOf(const EyeFigures& figures, const EyeGeometry& geometry,
                         std::optional<double> samplingX) {
    CaliperShapes shapes;
    if (!samplingX || geometry.dScaleHeight <= 0 || geometry.dScaleWidth <= 0) return shapes;
    const double xs = *samplingX / kUnits;
    for (const EyeLevelFigures& level : figures.levels) {
        const double top = geometry.Y(level.dMean + level.dSigma);
        const double bottom = geometry.Y(level.dMean - level.dSigma);
        shapes.spreads.push_back(
            {xs - kSpreadHalfWidth, top, 2 * kSpreadHalfWidth, std::max(bottom - top, 1.0)});
        const double y = geometry.Y(level.dMean);
        shapes.lines.push_back({xs - kTickHalfWidth, y, xs + kTickHalfWidth, y});
    }
    const double symbol = geometry.SymbolWidth();
    for (const EyeGapFigures& gap : figures.gaps) {
        const double y = geometry.Y(gap.dThreshold);
        if (gap.dHeight > 0)
            Bracket(shapes.lines, xs, geometry.Y(gap.dBottom + gap.dHeight), xs,
                    geometry.Y(gap.dBottom));
        if (gap.dWidth > 0) {
            const double left = xs + gap.dLeft * symbol;
            Bracket(shapes.lines, left, y, left + gap.dWidth * symbol, y);
        }
    }
    return shapes;
}

}  // namespace linelab
