#pragma once
// The statistical eye: the probability of a wrong decision at every sampling instant and
// threshold, computed from the chain's pulse response and the noise instead of counted.
//
// The model. The received waveform is linear in the levels sent, so slot k's decision
// sample is sum over slots j of L_j g_k[j] plus Gaussian noise: g_k is the response of the
// whole chain (transmit pulse, filters, channel, echo, inversion, the sampling rule with its
// clamps) to one unit level, read as the receiver reads slot k; the noise is the receive
// filter's output, its deviation the engine's sigma times the norm of the sampling pattern
// through the receive response. A run is circular (the transform wraps it), so g_k[j]
// depends only on k - j for every slot whose sampling pattern is the run's inner one; the
// slots near the ends (clamped offsets, an echo cut at the run's end) have their own.
//
// The levels' statistics are the transmit stages' own: the joint distribution of the levels
// in a window of slots around the decided one comes from the exact transmit machine (see
// LevelPatterns), so line codes with memory (AMI, MLT3, HDB3, 4B5B, Manchester, NRZI) enter
// with their memory, once for each position a slot can have in the code's groups. The
// window covers the span of the response with the most weight: a sum over every pattern of
// the window is exact; what lies outside it (the cut taps) moves a noise-free sample by at
// most shiftBound, and so do the bins the samples are grouped into. Every rate below has
// lower and upper values for that shift, so the cut is a stated, checked bound, and on short
// spans (Nyquist filters, an open channel) the bound vanishes.
//
// What it assumes: the noise density is fixed (referred to the configuration's mean energy
// per slot, as a fixed-N0 sweep has it; a window run that scales the noise to each run's own
// energy spreads a little around this); the slots of a run's first and last few symbols see
// the levels' statistics of the run's interior (the coder's start state and the wrap of the
// run's end onto its start are not followed); and the data-bit rate after decoding is the
// first-order cost of the wrong decisions (WrongDecisionCosts), exact as the rate of wrong
// decisions goes to zero and ignoring that neighbouring wrong decisions share their cause.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/ExactBer.h"
#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "common/Signal.h"

namespace linelab {

// The sampling instants the receive eye's slider has: offsets of -32 to 32 half-samples.
inline constexpr int kFirstStatInstant = -32;
inline constexpr int kStatInstants = 65;

// What the analysis needs of a configuration: the settings as the engine runs them, the
// responses designed for them, the symbol rate and the thresholds the decisions use.
struct StatEyeSetup {
    LinkConfig config;
    Responses responses;
    double dBaudRate = 1;
    Thresholds thresholds{};
    // The energy per slot the noise refers to; 0 takes the configuration's mean
    // (engine/LinkReference.h), which a fixed noise density uses.
    double referenceEnergy = 0;
    // The most slots whose levels are carried exactly (at most kMaxLevelWindow); 0 takes as
    // many as keep the work to a blink for the mapping's number of levels.
    int window = 0;
};

// A noise-free decision sample and its probability (a share of all the run's slots).
struct ValueMass {
    double value = 0;
    double p = 0;
};

// The slots of one instant whose noise has the same deviation.
struct NoiseClass {
    double deviation = 0;  // of the decision sample, per unit of the engine's sigma
    std::vector<std::vector<ValueMass>> byLevel;  // by the level sent (DecisionLevels order)
};

struct InstantStatistics {
    std::vector<NoiseClass> classes;
    // No noise-free sample is off by more than this (signal units): the cut taps at the
    // largest level plus the widest spread of the samples one centroid stands for.
    double shiftBound = 0;
};

struct LinkStatistics {
    LinkSetup link;  // transmit mapping, line code, pre-coding, inversion
    std::vector<int16_t> levels;
    std::vector<std::size_t> nominal;  // the level each one is decided as without noise
    std::vector<double> share;         // of the slots sending each level
    std::array<InstantStatistics, kStatInstants> instants;
    int windowStart = 0;  // the levels carried exactly: slots windowStart.. after the cursor
    int window = 0;
    double noiseSigma = 0;       // the engine's sigma at the configuration's noise level
    double referenceEnergy = 0;  // the energy per slot the noise refers to
    double dBaudRate = 1;
    Thresholds thresholds{};
    int samplingInstant = 0;  // the sampling offset in use, half-samples
    // The receiver undoes the transmitter's line code and pre-coding: only then do the
    // decoding costs, and so the data-bit rate, apply.
    bool decodesAsSent = true;
};

// The statistics of a configuration; nullopt when a list entry is unknown or the receive
// mapping differs from the transmit one (no level would be decided as what was sent).
std::optional<LinkStatistics> ComputeLinkStatistics(const StatEyeSetup& setup);

// The deviation of the engine's noise (per part) for a noise level in W/kHz, under the
// statistics' reference energy and symbol rate.
double StatNoiseSigma(const LinkStatistics& stats, double noiseLevel);

// The receiver at one instant with a full set of thresholds (as DecideLevel reads them).
struct DecisionRates {
    double wrongDecisions = 0;  // per slot, against the level sent (its mirror when inverted)
    double lower = 0;           // wrongDecisions for the best and worst shift of shiftBound
    double upper = 0;
    double dataBits = 0;  // data-bit error rate after decoding; NaN unless decodesAsSent
};
DecisionRates RatesAt(const LinkStatistics& stats, int samplingOffset, const Thresholds& thresholds,
                      double noiseSigma);

// The rate of samples on the wrong side of one threshold y at one instant: a level whose
// mean noise-free sample lies above y is wrong below it, and the other way round. This is
// what the contours of the eye show; for two levels it is RatesAt with every threshold at y.
double WrongSideRate(const LinkStatistics& stats, int samplingOffset, double y, double noiseSigma);

// The mean noise-free decision sample of each level (DecisionLevels order) at one instant.
std::vector<double> MeanSamples(const LinkStatistics& stats, int samplingOffset);

// The grid: every instant of the slider by `thresholdCount` thresholds evenly spread over
// [range.first, range.second] (default, and for a range that is no interval: the noise-free
// samples' extent and some noise).
struct StatisticalEye {
    std::vector<int> instants;       // sampling offsets, half-samples
    std::vector<double> thresholds;  // ascending, signal units
    std::vector<double> rate;        // WrongSideRate, [instant index * thresholds + j]
    double At(std::size_t instant, std::size_t threshold) const {
        return rate[instant * thresholds.size() + threshold];
    }
};
StatisticalEye ComputeStatisticalEye(const LinkStatistics& stats, double noiseSigma,
                                     int thresholdCount = 256,
                                     std::optional<std::pair<double, double>> range = {});

// The range the grid takes by default.
std::pair<double, double> DefaultEyeRange(const LinkStatistics& stats, double noiseSigma);

}  // namespace linelab
