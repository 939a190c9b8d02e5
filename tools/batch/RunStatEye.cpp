#include "tools/batch/RunStatEye.h"

#include <exception>

#include "analysis/Bathtub.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/StatEyeCsv.h"
#include "ui/SweepSnapshot.h"

namespace linelab {

int RunStatEye(Form1& form, StatEyeOutput output, std::ostream& out, std::ostream& messages) {
    const SweepSettings settings = SweepSnapshot(form);
    std::optional<LinkStatistics> stats;
    try {
        stats = ComputeLinkStatistics(StatEyeSetupFor(settings, settings.config.noiseLevel));
    } catch (const std::exception& e) {
        messages << "message: " << e.what() << '\n' << std::flush;
        return 3;
    }
    if (!stats) {
        messages << "linelab-batch: " << (output == StatEyeOutput::Grid ? "--stateye" : "--bathtub")
                 << " needs a known data source, pre-coding, line code and mapping, and the "
                    "same mapping at both ends\n";
        return 2;
    }
    const double sigma = stats->noiseSigma;
    out << (output == StatEyeOutput::Grid ? StatEyeCsv(ComputeStatisticalEye(*stats, sigma))
                                          : BathtubCsv(ComputeBathtub(*stats, sigma)))
        << std::flush;
    return out ? 0 : 1;
}

}  // namespace linelab
