#include "app/qt/LineRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace linelab {

void RasterLines(QImage& image, const QVector<QLineF>& lines, QRgb colour) {
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0) return;
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    // Ends beyond this are outside any image: the drawing routines bound them anyway.
    constexpr double kFar = 1 << 20;
    for (const QLineF& l : lines) {
        int x = static_cast<int>(std::floor(std::clamp(l.x1(), -kFar, kFar)));
        int y = static_cast<int>(std::floor(std::clamp(l.y1(), -kFar, kFar)));
        const int x2 = static_cast<int>(std::floor(std::clamp(l.x2(), -kFar, kFar)));
        const int y2 = static_cast<int>(std::floor(std::clamp(l.y2(), -kFar, kFar)));
        if ((x < 0 && x2 < 0) || (y < 0 && y2 < 0) || (x >= w && x2 >= w) || (y >= h && y2 >= h))
            continue;
        const int dx = std::abs(x2 - x);
        const int dy = -std::abs(y2 - y);
        const int sx = x < x2 ? 1 : -1;
        const int sy = y < y2 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            if (x >= 0 && y >= 0 && x < w && y < h) bits[y * stride + x] = colour;
            if (x == x2 && y == y2) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }
}

}  // namespace linelab
