#pragma once
// The chain's statistical curve for a sweep's setting: the predicted data-bit error rate of
// the chain as set (filters, channel, echo, inversion, the sampling instant and thresholds the
// sweep's receiver uses) against Eb/N0, from the statistical eye. The desktop's BER Curve
// window and the page's draw it dotted beside the measured points.

#include <string>
#include <vector>

#include "sweep/SweepSettings.h"

namespace linelab {

struct StatisticalCurveData {
    std::vector<double> ebN0, rate;  // dB, and the data-bit rate there
    std::string problem;             // why there is none (empty when ebN0 holds the curve)
};

// The curve over [first, last] dB in `samples` steps, rates below `lowest` left out.
StatisticalCurveData StatisticalCurveFor(const SweepSettings& settings, double first, double last,
                                         int samples, double lowest);

}  // namespace linelab
