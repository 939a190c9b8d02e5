#include "receiver/Inversion.h"

namespace linelab {

bool InversionApplies(const Settings& settings) {
    return settings.invertVisible && settings.chkInvert;
}

void Invert(Signal& timeData) {
    for (int i = 0; i < kSignalFloats; ++i)
        timeData[i] = -timeData[i];
}

}  // namespace linelab
