#pragma once
// The symbol rate as the eye and spectrum plots use it. The program only ever sets 1.0,
// 2.0, 1.2 or their halves; a rate that is not a positive finite number would divide by
// zero or index nowhere, so the plots then draw as for 1.0.

#include <cmath>

namespace linelab {

inline double UsableBaudRate(double dBaudRate) {
    return std::isfinite(dBaudRate) && dBaudRate > 0 ? dBaudRate : 1.0;
}

}  // namespace linelab
