#pragma once
// A copy of everything a tick reads, taken from the form model when a sweep starts: the
// sweep's engines run on it while the user goes on changing the window.

#include <string>
#include <vector>

#include "common/RunState.h"
#include "common/LinkConfig.h"
#include "dsp/DesignFilters.h"
#include "sweep/Sweep.h"

namespace linelab {

struct SweepSettings {
    LinkConfig config;         // the tick's record
    FilterTexts filters;       // the filter and channel boxes
    Thresholds dThresholds{};  // the decision thresholds as they stand
    int vscThreshold = 0;
};

// The record a chunk ticks with: no panel shown (a sweep draws nothing) and the noise at the
// point's level whatever the scene shows.
LinkConfig ChunkConfig(LinkConfig config, double noiseLevel);

// One point per Eb/N0 value, with the noise level that gives it for the transmit code and
// mapping of these settings.
std::vector<SweepPoint> SweepPointsFor(const SweepSettings& settings,
                                       const std::vector<double>& ebN0dB);

// The ideal receiver's rate at a point for these settings (see analysis/IdealBer.h).
double TheoryFor(const SweepSettings& settings, double ebN0dB);

// A label for a held curve: "Polar (N)RZ, None, Root RC / Matched".
std::string CurveLabel(const SweepSettings& settings);

}  // namespace linelab
