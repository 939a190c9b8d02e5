#include "app/curves/StatisticalCurve.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "analysis/Bathtub.h"
#include "sweep/EngineChunkRunner.h"

namespace linelab {

StatisticalCurveData StatisticalCurveFor(const SweepSettings& settings, double first, double last,
                                         int samples, double lowest) {
    StatisticalCurveData out;
    try {
        const std::optional<LinkStatistics> stats =
            ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
        if (!stats) {
            out.problem = "no statistics for this setting";
            return out;
        }
        if (!stats->decodesAsSent) {
            out.problem = "the receiver decodes another code than the one sent";
            return out;
        }
        const int steps = std::max(samples, 1);
        std::vector<double> dB;
        for (int i = 0; i <= steps; ++i)
            dB.push_back(first + (last - first) * i / steps);
        for (const StatBerPoint& p : StatisticalBerCurve(*stats, dB)) {
            if (!(p.rates.dataBits >= lowest)) continue;  // NaN too
            out.ebN0.push_back(p.ebN0dB);
            out.rate.push_back(p.rates.dataBits);
        }
    } catch (const std::exception& e) {
        out.problem = e.what();
    }
    return out;
}

}  // namespace linelab
