#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/EyeStatistics.h"
#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "tests/CaseName.h"

namespace linelab {
namespace {

constexpr int kSlots = 128;
constexpr int kSamples = 16 * kSlots;

// A synthetic eye with a known shape: each slot holds its level flat for 6 samples either
// side of its centre (sample 16k) and goes straight to the next level over the 4 samples
// between, so two different neighbours meet exactly halfway, 8 samples from the centre.
// Noise of the given deviation is added to every sample.
std::vector<double> Trapezoid(const std::vector<int16_t>& levels, double sigma,
                              std::mt19937_64& rng) {
    // A deviation of 0 is outside the distribution's domain; such eyes draw no noise at all.
    std::normal_distribution<double> noise(0.0, sigma > 0 ? sigma : 1.0);
    std::vector<double> d(2 * kSamples + 1, 0.0);
    for (int m = 0; m < kSamples; ++m) {
        const int k = (m + 8) / 16 % kSlots;  // the slot whose centre is nearest
        const int t = m - 16 * k;             // -8..7
        double v = levels[k];
        if (t > 6 && k + 1 < kSlots) v += (levels[k + 1] - levels[k]) * (t - 6) / 4.0;
        if (t < -6 && k > 0) v += (levels[k - 1] - levels[k]) * (-6 - t) / 4.0;
        d[2 * m] = v + (sigma > 0 ? noise(rng) : 0.0);
        d[2 * m + 1] = 1e9;  // imaginary parts are never read
    }
    return d;
}

std::vector<int16_t> RandomLevels(std::vector<int16_t> alphabet, std::mt19937_64& rng) {
    std::vector<int16_t> levels(kSlots);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (auto& level : levels)
        level = alphabet[pick(rng)];
    return levels;
}

TEST(EyeStatistics, NoiselessEyeHasItsGeometricOpening) {
    std::mt19937_64 rng(1);
    EyeStatistics eye;
    for (int run = 0; run < 20; ++run) {
        const auto levels = RandomLevels({-1, 1}, rng);
        eye.AddRun(Trapezoid(levels, 0, rng), levels, 0);
    }
    const double thresholds[] = {0.0};
    const EyeFigures f = eye.Figures(thresholds, {});
    ASSERT_EQ(f.gaps.size(), 1u);
    EXPECT_DOUBLE_EQ(f.gaps[0].dHeight, 2.0);
    EXPECT_DOUBLE_EQ(f.gaps[0].dBottom, -1.0);
    // Open from -7 to +7 samples: traces reach 0 exactly at +-8.
    EXPECT_DOUBLE_EQ(f.gaps[0].dWidth, 15.0 / 16);
    EXPECT_DOUBLE_EQ(f.gaps[0].dLeft, -7.5 / 16);
    EXPECT_TRUE(std::isinf(f.dQ));
    EXPECT_EQ(f.dPredictedBer, 0.0);
    // A threshold moved towards a rail narrows the opening: the ramps cross 0.5 one sample
    // nearer the centre on both sides.
    const double high[] = {0.5};
    EXPECT_DOUBLE_EQ(eye.Figures(high, {}).gaps[0].dWidth, 13.0 / 16);
}

TEST(EyeStatistics, NoisyEyeRecoversLevelsSpreadAndQ) {
    std::mt19937_64 rng(2);
    EyeStatistics eye;
    const double sigma = 0.2;
    for (int run = 0; run < 200; ++run) {
        const auto levels = RandomLevels({0, 1}, rng);
        eye.AddRun(Trapezoid(levels, sigma, rng), levels, 0);
    }
    const EyeFigures f = eye.Figures({}, {});
    ASSERT_EQ(f.levels.size(), 2u);
    for (const EyeLevelFigures& level : f.levels) {
        EXPECT_NEAR(level.dMean, level.iLevel, 0.01);
        EXPECT_NEAR(level.dSigma, sigma, 0.02 * sigma);
    }
    EXPECT_NEAR(f.dQ, 1.0 / (2 * sigma), 0.03 * f.dQ);
    EXPECT_NEAR(f.dPredictedBer, GaussianTail(f.dQ), 0.05 * f.dPredictedBer);
    // A threshold moved up by one sigma: the lower level crosses less, the upper one more.
    const double high[] = {0.5 + sigma};
    const double lowerShare = static_cast<double>(f.levels[0].count) /
                              static_cast<double>(f.levels[0].count + f.levels[1].count);
    const double moved = lowerShare * GaussianTail((0.5 + sigma) / sigma) +
                         (1 - lowerShare) * GaussianTail((0.5 - sigma) / sigma);
    EXPECT_NEAR(eye.Figures(high, {}).dPredictedBer, moved, 0.1 * moved);
    // Worst-case opening: with 12,000 samples of each level the tails meet.
    EXPECT_LT(f.gaps[0].dHeight, 1.0 - 4 * sigma);
}

// Three levels, inverted: the gaps pair the levels lying next to each other whatever their
// sign, and the prediction weights each gap by the share of symbols on either side.
TEST(EyeStatistics, ThreeLevelEyeWeightsEachGapByItsNeighbours) {
    std::mt19937_64 rng(3);
    EyeStatistics eye;
    for (int run = 0; run < 100; ++run) {
        auto levels = RandomLevels({-1, 0, 0, 1}, rng);
        auto wave = Trapezoid(levels, 0.25, rng);
        for (double& v : wave)
            v = -v;
        eye.AddRun(wave, levels, 0);
    }
    const double weights[] = {1.0, 1.0};
    const EyeFigures f = eye.Figures({}, weights);
    ASSERT_EQ(f.gaps.size(), 2u);
    EXPECT_EQ(f.levels.front().iLevel, 1);  // inverted: +1 lies lowest
    EXPECT_EQ(f.levels.back().iLevel, -1);
    // Zeros (half the symbols) cross both gaps, marks one: 1/2 * 2Q + 1/2 * Q.
    EXPECT_NEAR(f.dPredictedBer, 1.5 * GaussianTail(0.5 / 0.25), 0.1 * f.dPredictedBer);
}

TEST(EyeStatistics, OddOffsetsSampleBetweenTwoSamplesAndEdgesAreSkipped) {
    std::mt19937_64 rng(4);
    std::vector<int16_t> levels(kSlots, 1);
    std::vector<double> d(2 * kSamples + 1, 0.0);
    for (int m = 0; m < kSamples; ++m)
        d[2 * m] = m % 2;  // 0, 1, 0, 1, ...
    EyeStatistics eye;
    eye.AddRun(d, levels, 1);
    const EyeFigures f = eye.Figures({}, {});
    ASSERT_EQ(f.levels.size(), 1u);
    EXPECT_DOUBLE_EQ(f.levels[0].dMean, 0.5);
    EXPECT_EQ(f.levels[0].count, 126u);  // the first and last slot would look outside the run
    EXPECT_TRUE(std::isnan(f.dQ));
    eye.Clear();
    EXPECT_TRUE(eye.Figures({}, {}).levels.empty());
}

TEST(EyeStatistics, GapThresholdsAndWeightsFollowTheFormat) {
    const double t[] = {1.25, 0.0, -1.25, 1.25};
    EXPECT_EQ(EyeGapThresholds(Format::Pam4, t), (std::vector<double>{-1.25, 0.0, 1.25}));
    EXPECT_EQ(EyeGapThresholds(Format::Ami, t), (std::vector<double>{0.0, 1.25}));
    EXPECT_EQ(EyeGapThresholds(Format::PolarNrz, t), (std::vector<double>{1.25}));
    EXPECT_TRUE(EyeGapThresholds(std::nullopt, t).empty());
    EXPECT_EQ(EyeGapWeights(Format::Pam4), (std::vector<double>{0.5, 1.0, 0.5}));
    EXPECT_EQ(EyeGapWeights(Format::Mlt3), (std::vector<double>{2.0, 2.0}));
}

}  // namespace
}  // namespace linelab

namespace linelab {
namespace {

// An eye whose levels sit at their level numbers with the deviation the exact theory has
// at the given Eb/N0, each level's share as the chain sends it, and thresholds midway.
std::vector<EyeLevelFigures> IdealEye(const LinkSetup& setup, double dB) {
    const double esN0 = std::pow(10.0, dB / 10) / SymbolsPerDataBit(setup.code, setup.format);
    const double sigma = std::sqrt(MeanLevelEnergy(setup.format, setup.code) / (2 * esN0));
    std::vector<EyeLevelFigures> eye;
    for (int16_t level : DecisionLevels(setup.format)) {
        const double share = WrongDecisionCosts(setup).share[level + 3];
        eye.push_back({level, static_cast<uint64_t>(1e6 * share), double(level), sigma});
    }
    return eye;
}

Thresholds Midway(Format format) {
    if (format == Format::PolarNrz || format == Format::PolarNrzi) return {0, 0, 0, 0, 0};
    if (Info(format).kind == FormatClass::ThreeLevel) return {0.5, -0.5, 0.5, 0.5, 0};
    if (format == Format::Pam4) return {2, 0, -2, 2, 0};
    return {0.5, 0.5, 0.5, 0.5, 0};
}

// The eye of an ideal receiver predicts the exact rate after decoding (to first order: at
// 10 dB within a few per cent) for every format, and for codes whose wrong decisions cost
// several bits; a threshold off the middle is read where it lies; an eye decided upside
// down predicts every bit wrong.
TEST(PredictedDataBer, MatchesTheExactRateAfterDecoding) {
    std::vector<LinkSetup> setups = {
        {Format::PolarNrz, LineCoding::DiffManchester, PreCoding::None},
        {Format::Ami, LineCoding::Manchester, PreCoding::None},
        {Format::UnipolarNrz, LineCoding::FourB5BNrzi, PreCoding::None}};
    for (int f = 0; f < 8; ++f) {
        for (PreCoding pre : {PreCoding::None, PreCoding::Differential}) {
            setups.push_back({static_cast<Format>(f), LineCoding::None, pre});
        }
    }
    for (const LinkSetup& s : setups) {
        const double exact = ExactBer(s, std::pow(10.0, 1.0));
        EXPECT_NEAR(PredictedDataBer(IdealEye(s, 10), s, Midway(s.format)) / exact, 1.0, 0.06)
            << test::IdName(s.format) << " / " << test::IdName(s.code) << " / " << int(s.preCoding);
    }
    const LinkSetup polar{Format::PolarNrz, LineCoding::None, PreCoding::None};
    const std::vector<EyeLevelFigures> eye = IdealEye(polar, 8);
    const double sigma = eye[0].dSigma;
    EXPECT_NEAR(PredictedDataBer(eye, polar, {0.3, 0, 0, 0, 0}),
                0.5 * GaussianTail(1.3 / sigma) + 0.5 * GaussianTail(0.7 / sigma), 1e-12);
    std::vector<EyeLevelFigures> inverted = eye;
    std::swap(inverted[0].dMean, inverted[1].dMean);
    EXPECT_NEAR(PredictedDataBer(inverted, polar, Midway(Format::PolarNrz)), 1.0, 1e-3);
}

}  // namespace
}  // namespace linelab
