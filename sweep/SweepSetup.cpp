#include "sweep/SweepSetup.h"

#include "receiver/Noise.h"

namespace linelab {

SweepSetup SetUpSweep(SweepSettings settings, SweepChoices choices,
                      const std::vector<double>& ebN0dB) {
    settings.config.noiseScaling = choices.noise;
    settings.config.thresholdChoice = choices.thresholds;
    SweepSetup setup{std::move(settings), {}, std::nullopt};
    setup.points = SweepPointsFor(setup.settings, ebN0dB);
    for (const SweepPoint& point : setup.points) {
        // Written so that a level that is not a number is refused as well.
        if (!(point.dNoiseLevel <= kMaxNoiseLevel)) {
            setup.beyondNoiseLimit = point.dEbN0dB;
            break;
        }
    }
    return setup;
}

}  // namespace linelab
