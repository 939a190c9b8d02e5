#include "app/qt/WindowFit.h"

namespace linelab {

QRect InitialGeometry(const QRect& available, QSize wanted) {
    if (available.isEmpty()) return QRect(QPoint(0, 0), wanted);
    const QSize size = wanted.boundedTo(available.size());
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(available.center());
    return geometry;
}

}  // namespace linelab
