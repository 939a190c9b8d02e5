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

}  // namespace

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
    const CaliperShapes shapes = CalipersOf(figures, geometry, samplingX);
    if (shapes.spreads.empty() && shapes.lines.empty()) return;
    const double width = colour == kCaliper ? 1.5 : 2.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QColor spread = colour;
    spread.setAlpha(kSpread.alpha());
    for (const CaliperBox& box : shapes.spreads)
        painter.fillRect(QRectF(box.x, box.y, box.width, box.height), spread);
    painter.setPen(QPen(colour, width));
    for (const CaliperLine& line : shapes.lines)
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    painter.restore();
}

}  // namespace linelab
