#pragma once
// One sweep's set-up, the same for the window's BER Curve, linelab-batch --sweep and the page:
// the settings with the sweep's own noise and threshold choices, one point per Eb/N0, and the
// check each makes before a point runs. Each front end words a refusal its own way.

#include <optional>
#include <vector>

#include "sweep/SweepSettings.h"

namespace linelab {

// How the sweep's receiver sees the noise and what its decisions compare with.
struct SweepChoices {
    NoiseScaling noise = NoiseScaling::Fixed;
    ThresholdChoice thresholds = ThresholdChoice::Midway;
};

struct SweepSetup {
    SweepSettings settings;
    std::vector<SweepPoint> points;
    // The first Eb/N0 (dB) whose point needs more noise than the noise box takes
    // (kMaxNoiseLevel): that point would run at another Eb/N0 than it says, so a set-up with
    // one must not run.
    std::optional<double> beyondNoiseLimit;

    bool Runnable() const { return !beyondNoiseLimit.has_value(); }
};

SweepSetup SetUpSweep(SweepSettings settings, SweepChoices choices,
                      const std::vector<double>& ebN0dB);

}  // namespace linelab
