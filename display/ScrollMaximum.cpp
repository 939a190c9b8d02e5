#include <algorithm>

#include "common/TextNumber.h"
#include "display/Plots.h"

namespace linelab {

int ScrollMaximum(int zoom) {
    // The zoom slider runs from 1 to 4; any other value is read as the nearer end, which
    // keeps the maximum a small positive number.
    const int z = std::clamp(zoom, 1, 4);
    return static_cast<int>(RoundHalfEven((128.0 - 24 * z) / 2 - 3));
}

}  // namespace linelab
