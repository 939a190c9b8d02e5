#include "receiver/Inversion.h"

namespace linelab {

void Invert(Signal& timeData) {
    for (int i = 0; i < kSignalFloats; ++i)
        timeData[i] = -timeData[i];
}

}  // namespace linelab
