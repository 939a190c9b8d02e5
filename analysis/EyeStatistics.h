#pragma once
// The receive eye's opening, measured from the received values rather than from the
// picture: per sent level the spread of the samples at the sampling instant, and per gap
// between adjacent levels the vertical and horizontal opening, the Q-factor and the error
// rate it predicts. Accumulates over runs until cleared, like the eye panel itself.

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "analysis/ExactBer.h"
#include "common/RunState.h"

namespace linelab {

struct EyeLevelFigures {
    int iLevel = 0;      // the sent level, in the units of iModData
    uint64_t count = 0;  // samples taken of it
    double dMean = 0;    // of the samples at the sampling instant
    double dSigma = 0;   // their standard deviation
};

struct EyeGapFigures {
    double dThreshold = 0;  // where the width is measured
    double dHeight = 0;     // lowest sample of the upper level minus highest of the lower, >= 0
    double dWidth = 0;      // symbol periods around the instant where no trace crosses
    double dQ = 0;          // (upper mean - lower mean) / (upper sigma + lower sigma)
    // Where the openings lie, for drawing them: the lower level's highest sample, and the
    // start of the horizontal opening in symbol periods from the instant (negative: before).
    double dBottom = 0;
    double dLeft = 0;
};

struct EyeFigures {
    std::vector<EyeLevelFigures> levels;  // by mean, lowest first
    std::vector<EyeGapFigures> gaps;      // between adjacent levels, lowest first
    // The smallest gap's Q, and the code-bit error rate predicted from each level's own
    // mean, spread and share of the symbols against the gap thresholds in use (the window
    // replaces it with PredictedDataBer where the chain is known); no spread at all
    // predicts 0 while the thresholds lie between the levels. Both NaN while fewer than
    // two levels have been seen.
    double dQ = std::numeric_limits<double>::quiet_NaN();
    double dPredictedBer = std::numeric_limits<double>::quiet_NaN();
};

class EyeStatistics {
  public:
    static constexpr int kSamplesPerSymbol = 16;
    static constexpr int kReach = kSamplesPerSymbol;  // samples looked at either side

    EyeStatistics() { Clear(); }

    void Clear();

    // One run: timeData is the received waveform, 2048 complex samples interleaved (real
    // parts at even indices); levels the levels sent in its 128 slots; sampleOffset the
    // sampling slider in half samples, read the way the receiver reads it (an odd offset
    // takes the mean of two neighbours). Slots whose look-around would leave the run are
    // skipped; levels outside -3..3 are ignored.
    void AddRun(std::span<const double> timeData, std::span<const int16_t> levels,
                int sampleOffset);

    // gapThresholds: the receiver's threshold for each gap, lowest gap first; when their
    // number does not match the gaps seen, each gap uses the midpoint of its two means.
    // gapWeights: code bits wrong per crossing of each gap, per code bit sent (see
    // EyeGapWeights); 1 for every gap when their number does not match.
    EyeFigures Figures(std::span<const double> gapThresholds,
                       std::span<const double> gapWeights) const;

  private:
    static constexpr int kLevels = 7;  // -3..3
    static constexpr int kOffsets = 2 * kReach + 1;

    struct Track {
        uint64_t count = 0;
        double dMean = 0;
        double dSquares = 0;  // sum of squared deviations (Welford)
        std::array<double, kOffsets> dLowest{};
        std::array<double, kOffsets> dHighest{};
    };

    void AddSymbol(Track& track, std::span<const double> timeData, int centre);
    // The opening at a threshold, in symbol periods: where it starts and how wide it is.
    std::pair<double, double> Opening(std::span<const Track* const> below,
                                      std::span<const Track* const> above, double threshold) const;

    std::array<Track, kLevels> tracks_;
};

// The thresholds of dThresholds that separate the gaps of a receive format, lowest gap
// first: {T0} for two levels, {T1, T0} for three, {T2, T1, T0} for 4-PAM.
std::vector<double> EyeGapThresholds(std::optional<Format> format, std::span<const double> t);

// Code bits wrong per crossing of each gap, per code bit a symbol carries: 1 for each gap of
// the plain mappings; 2 where the code bit is read from a transition (the NRZI mappings,
// MLT3); for 4-PAM's natural binary labels 1/2, 1, 1/2 (the middle crossing flips both).
std::vector<double> EyeGapWeights(std::optional<Format> format);

// The data-bit error rate the eye predicts where the whole chain is known (the same format,
// line code and pre-coding at both ends): each level's samples taken as normal about its
// own mean with its own spread, decided by the receiver's own rule with the thresholds in
// use (whatever their order, so an inverted eye is decided as the receiver decides it),
// weighted by how often the level was sent and by what each kind of wrong decision costs
// after decoding (WrongDecisionCosts: HDB3's cleared marks, the transition codes' pairs,
// Manchester's half bits, 4B5B's groups). First order in the rate of wrong decisions, as
// the gap figures are; at most 1. Levels the format does not send are left out.
double PredictedDataBer(std::span<const EyeLevelFigures> levels, const LinkSetup& setup,
                        const Thresholds& thresholds);

}  // namespace linelab
