#include "receiver/Multipath.h"

#include "common/TextNumber.h"

namespace linelab {

double EchoGain(std::string_view magnitudeText) {
    const double gain = Val(magnitudeText) / 100;
    if (!(gain > 0)) return 0;
    return gain < kMaxEchoGain ? gain : kMaxEchoGain;
}

int EchoDelay(std::string_view delayText) {
    // Limited as a double: 16 * delay may be far outside the int range, or infinite.
    const double m = Int(16 * Val(delayText) + 0.5);
    if (!(m > 0)) return 0;
    return m < kPoints ? static_cast<int>(m) : kPoints;
}

void AddEcho(Signal& timeData, double gain, int delay) {
    // Reading forwards, sample n + delay has not been changed yet when sample n is.
    for (int n = 0; n <= kPoints - 1 - delay; ++n) {
        timeData[2 * n] += gain * timeData[2 * (n + delay)];
    }
}

void ApplyMultipath(Signal& timeData, std::string_view magnitudeText, std::string_view delayText) {
    const double gain = EchoGain(magnitudeText);
    if (gain > 0) AddEcho(timeData, gain, EchoDelay(delayText));
}

}  // namespace linelab
