#pragma once
// Bathtubs and the statistical BER curve, read off a link's statistics (StatisticalEye.h).

#include <vector>

#include "analysis/StatisticalEye.h"

namespace linelab {

// The eye's opening at one rate: how far the sampling instant (in symbol slots) and the
// threshold (in signal units) may move around the best place with the rate staying at or
// below it; 0 when even the best place is worse.
struct EyeOpening {
    double rate = 0;
    double width = 0;
    double height = 0;
};

struct Bathtub {
    // Against the sampling instant (the sampling slider's values), with the thresholds in use.
    std::vector<int> instants;
    std::vector<DecisionRates> byInstant;
    // Against one threshold (the eye grid's thresholds), at the instant in use.
    std::vector<double> thresholds;
    std::vector<double> byThreshold;  // WrongSideRate
    int instantInUse = 0;
    double thresholdInUse = 0;      // T0: the upper threshold
    double thresholdInUseRate = 0;  // WrongSideRate there, at the instant in use
    // The instant with the fewest wrong decisions, and the threshold at the instant in use
    // with the lowest rate (the one nearest the threshold in use among equals).
    int bestInstant = 0;
    double bestThreshold = 0;
    std::vector<EyeOpening> openings;  // at 1e-6 and 1e-12
};

Bathtub ComputeBathtub(const LinkStatistics& stats, double noiseSigma, int thresholdCount = 256);

// One point of the statistical BER curve of the chain as set.
struct StatBerPoint {
    double ebN0dB = 0;
    double noiseLevel = 0;  // W/kHz that gives it
    DecisionRates rates;    // at the instant and thresholds in use
};

// The curve at the given Eb/N0 values (dB), with the noise level that gives each for the
// transmit code and mapping; the statistics carry everything else, so a point costs one sum
// over the noise-free samples.
std::vector<StatBerPoint> StatisticalBerCurve(const LinkStatistics& stats,
                                              const std::vector<double>& ebN0dB);

}  // namespace linelab
