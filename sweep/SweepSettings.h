#pragma once
// A copy of everything a tick reads, taken from the form model when a sweep starts: the
// sweep's engines run on it while the user goes on changing the window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "dsp/FilterConfig.h"
#include "sweep/Sweep.h"

namespace linelab {

struct SweepSettings {
    LinkConfig config;         // the tick's record
    FilterConfig filters;      // the filter and channel settings
    Thresholds dThresholds{};  // the decision thresholds as they stand
    int thresholdSlider = 0;   // the threshold slider's position, 0..100
};

// The record a chunk ticks with: no panel shown (a sweep draws nothing) and the noise at the
// point's level whatever the scene shows.
LinkConfig ChunkConfig(LinkConfig config, double noiseLevel);

// One point per Eb/N0 value, with the noise level that gives it for the transmit code and
// mapping of these settings.
std::vector<SweepPoint> SweepPointsFor(const SweepSettings& settings,
                                       const std::vector<double>& ebN0dB);

// The wrong data bits one wrong decision costs on average for the transmit mapping, line code
// and pre-coding (at least 1; 1 where a list entry is unknown): the clustering a point's exact
// interval is widened for.
double ClusterBitsFor(const SweepSettings& settings);

// The ideal receiver's rate at a point for these settings (see analysis/IdealBer.h).
double TheoryFor(const SweepSettings& settings, double ebN0dB);

// The receiver's choices as the CSV, the batch options and the labels name them.
std::string_view NoiseScalingName(NoiseScaling scaling);       // "fixed", "per-run"
std::string_view ThresholdChoiceName(ThresholdChoice choice);  // "midway", "as-set"
std::string_view DecisionsName(Decisions decisions);           // "midway", "as-set", "inseparable"
std::optional<NoiseScaling> NoiseScalingNamed(std::string_view name);
std::optional<ThresholdChoice> ThresholdChoiceNamed(std::string_view name);

// What a sweep runs unless told otherwise: the textbook's receiver, a fixed noise density
// and midway thresholds, so that its curves compare with the theory.
void UseTextbookReceiver(LinkConfig& config);

}  // namespace linelab
