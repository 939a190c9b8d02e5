#pragma once
// The model's colours are 24-bit blue-green-red values.

#include <QColor>
#include <cstdint>

namespace linelab {

inline QColor FromBgr(int32_t bgr) {
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

// The projector palette (View > High Contrast) for a drawing colour: markers (green) in an
// orange that stands 3.3:1 against white and apart from the blue traces for the common
// colour-vision deficiencies, a stored spectrum (dark green) in a blue apart from the black
// live trace; black, blue and red, already dark enough and told apart, stay.
inline QColor HighContrastOf(int32_t bgr) {
    switch (bgr) {
        case 65280:  // green
            return QColor(220, 110, 0);
        case 32768:  // dark green
            return QColor(0, 114, 178);
        default:
            return FromBgr(bgr);
    }
}

}  // namespace linelab
