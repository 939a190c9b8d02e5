#include "receiver/Multipath.h"

#include "common/TextNumber.h"

namespace linelab {

double EchoGain(double magnitudePercent) {
    const double gain = magnitudePercent / 100;
    if (!(gain > 0)) return 0;
    return gain < kMaxEchoGain ? gain : kMaxEchoGain;
}

int EchoDelay(double delaySymbols) {
    // Limited as a double: 16 * delay may be far outside the int range, or infinite.
    const double m = Int(16 * delaySymbols + 0.5);
    if (!(m > 0)) return 0;
    return m < kPoints ? static_cast<int>(m) : kPoints;
}

void AddEcho(Signal& timeData, double gain, int delay) {
    // Reading forwards, sample n + delay has not been changed yet when sample n is.
    for (int n = 0; n <= kPoints - 1 - delay; ++n) {
        timeData[2 * n] += gain * timeData[2 * (n + delay)];
    }
}

void ApplyMultipath(Signal& timeData, const Echo& echo) {
    if (echo.gain > 0) AddEcho(timeData, echo.gain, echo.delay);
}

}  // namespace linelab
