#pragma once
// The model's colours are 24-bit blue-green-red values.

#include <QColor>
#include <cstdint>

namespace linelab {

inline QColor FromBgr(int32_t bgr) {
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

}  // namespace linelab
