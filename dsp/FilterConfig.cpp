#include "dsp/FilterConfig.h"

#include <algorithm>

#include "common/TextNumber.h"

namespace linelab {

int PulseWidthPercent(int sixteenths) {
    const int n = std::clamp(sixteenths, 1, 16);
    return static_cast<int>(Int(n * 100.0 / 16 + 0.5));
}

}  // namespace linelab
