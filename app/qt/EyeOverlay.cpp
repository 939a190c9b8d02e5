#include "app/qt/EyeOverlay.h"

#include <QPainter>
#include <cmath>
#include <optional>

#include "analysis/DensityEye.h"
#include "app/qt/DensityPicture.h"
#include "common/Signal.h"
#include "display/Canvas.h"

namespace linelab {
namespace {

const QColor kCaliper(80, 200, 255);
const QColor kSpread(80, 200, 255, 70);
constexpr double kUnits = kUnitsPerPixel;

void Bracket(QPainter& painter, QPointF from, QPointF to, double cap) {
    painter.drawLine(from, to);
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (length <= 0) return;
    const QPointF across(-along.y() / length * cap, along.x() / length * cap);
    painter.drawLine(from - across, from + across);
    painter.drawLine(to - across, to + across);
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

void PaintDensity(QPainter& painter, const QRect& rect, const DensityEye& density) {
    painter.fillRect(rect, Qt::black);
    const QImage image = DensityPicture(density);
    if (!image.isNull()) painter.drawImage(rect.topLeft(), image);
}

QColor CaliperColour(bool density, bool highContrast) {
    if (!highContrast) return kCaliper;
    return density ? QColor(Qt::white) : QColor(Qt::black);
}

void PaintCalipers(QPainter& painter, const EyeFigures& figures, const EyeGeometry& geometry,
                   std::optional<double> samplingX, const QColor& colour) {
    if (!samplingX || geometry.dScaleHeight <= 0 || geometry.dScaleWidth <= 0) return;
    const double xs = *samplingX / kUnits;
    const double width = colour == kCaliper ? 1.5 : 2.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const EyeLevelFigures& level : figures.levels) {
        const double top = geometry.Y(level.dMean + level.dSigma);
        const double bottom = geometry.Y(level.dMean - level.dSigma);
        QColor spread = colour;
        spread.setAlpha(kSpread.alpha());
        painter.fillRect(QRectF(xs - 6, top, 12, std::max(bottom - top, 1.0)), spread);
        painter.setPen(QPen(colour, width));
        painter.drawLine(QLineF(xs - 8, geometry.Y(level.dMean), xs + 8, geometry.Y(level.dMean)));
    }
    painter.setPen(QPen(colour, width));
    const double symbol = geometry.SymbolWidth();
    for (const EyeGapFigures& gap : figures.gaps) {
        // Drawn where the opening is: from the lower level's highest sample up, and from
        // where the traces leave the threshold to where they cross it again.
        const double y = geometry.Y(gap.dThreshold);
        if (gap.dHeight > 0) {
            Bracket(painter, QPointF(xs, geometry.Y(gap.dBottom + gap.dHeight)),
                    QPointF(xs, geometry.Y(gap.dBottom)), 4);
        }
        if (gap.dWidth > 0) {
            const double left = xs + gap.dLeft * symbol;
            Bracket(painter, QPointF(left, y), QPointF(left + gap.dWidth * symbol, y), 4);
        }
    }
    painter.restore();
}

}  // namespace linelab
