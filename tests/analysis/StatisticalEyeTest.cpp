#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>

#include "analysis/Bathtub.h"
#include "analysis/ExactBer.h"
#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "analysis/StatisticalEye.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// A link with the given total response (the receive side flat), random data, the same
// mapping at both ends, sampled at v with thresholds t.
StatEyeSetup Link(Format format, LineCoding code, const Thresholds& t, int v = 0, double width = 0,
                  bool invert = false, int window = 0) {
    StatEyeSetup s;
    LinkConfig& c = s.config;
    c.data = DataSource::Random;
    c.preCode = {PreCoding::None, PreCoding::None};
    c.code = {code, code};
    c.format = {format, format};
    c.samplingOffset = v;
    c.invert = invert;
    for (int k = 0; k < kPoints; ++k) {
        // A Gaussian of `width` bins spreads each pulse over a few slots (at 60 bins a
        // neighbour gets a ninth of the cursor, the next but one 2e-4); none leaves an
        // impulse: no intersymbol interference at all.
        const double f = k < kPoints / 2 ? k : k - kPoints;
        s.responses.dTotalResponse[static_cast<std::size_t>(2 * k)] =
            width > 0 ? std::exp(-(f / width) * (f / width)) : 1.0;
        s.responses.dTxResponse[static_cast<std::size_t>(2 * k)] = 1;
        s.responses.dRxResponse[static_cast<std::size_t>(2 * k)] = 1;
    }
    s.thresholds = t;
    s.referenceEnergy = 1;
    s.window = window;
    return s;
}

// The signal value of a unit level at the instant and the decision sample's noise per unit
// sigma, read off an impulse link's statistics.
std::pair<double, double> UnitAndDeviation(const LinkStatistics& s) {
    const InstantStatistics& at = s.instants[static_cast<std::size_t>(-kFirstStatInstant)];
    const ValueMass& top = at.classes[0].byLevel.back()[0];
    return {top.value / s.levels.back(), at.classes[0].deviation};
}

// --- the ideal receiver: no intersymbol interference, midway thresholds ------------------

struct IdealCase {
    Format format;
    LineCoding code;
    double ebN0dB;
    double wrongPerTail;  // wrong decisions per slot = wrongPerTail x Q(halfGap / sigma)
    double halfGap;       // in level units
};

class IdealReceiver : public testing::TestWithParam<IdealCase> {};

// The decisions' rate is the closed form, and the data-bit rate the exact theory's, which
// carries the decoder's every state: equal to first order, so to a part in a thousand at
// these rates.
TEST_P(IdealReceiver, MatchesTheExactTheory) {
    const IdealCase& c = GetParam();
    const auto& defaults = DefaultThresholds(c.format);
    const auto stats = ComputeLinkStatistics(Link(c.format, c.code, {}, 0));
    ASSERT_TRUE(stats);
    const auto [unit, deviation] = UnitAndDeviation(*stats);
    // Midway between the levels, in the pattern of the format's own thresholds.
    Thresholds midway{};
    const double gap = stats->levels.size() == 4 ? 2 : 0.5;
    for (std::size_t i = 0; i < 4; ++i)
        midway[i] = defaults[i] == 0 ? 0 : std::copysign(gap, defaults[i]) * unit;
    const double ebN0 = std::pow(10.0, c.ebN0dB / 10);
    const double esN0 = ebN0 / SymbolsPerDataBit(c.code, c.format);
    const double sigmaLevels = std::sqrt(MeanLevelEnergy(c.format, c.code) / (2 * esN0));
    const DecisionRates r = RatesAt(*stats, 0, midway, sigmaLevels * unit / deviation);
    const double exact = ExactBer({c.format, c.code, PreCoding::None}, ebN0);
    EXPECT_NEAR(r.wrongDecisions / (c.wrongPerTail * GaussianTail(c.halfGap / sigmaLevels)), 1,
                1e-9);
    EXPECT_NEAR(r.dataBits / exact, 1, 1e-3) << exact;
    EXPECT_NEAR(r.lower / r.wrongDecisions, 1, 1e-9);  // nothing cut, nothing binned apart
    EXPECT_NEAR(r.upper / r.wrongDecisions, 1, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Mappings, IdealReceiver,
    testing::Values(IdealCase{Format::PolarNrz, LineCoding::None, 10, 1, 1},
                    IdealCase{Format::UnipolarNrz, LineCoding::None, 13, 1, 0.5},
                    IdealCase{Format::PolarNrzi, LineCoding::None, 11, 1, 1},
                    IdealCase{Format::UnipolarNrzi, LineCoding::None, 13, 1, 0.5},
                    IdealCase{Format::Ami, LineCoding::None, 12, 1.5, 0.5},
                    IdealCase{Format::Mlt3, LineCoding::None, 12, 1.5, 0.5},
                    IdealCase{Format::Pam4, LineCoding::None, 15, 1.5, 1},
                    IdealCase{Format::PolarNrz, LineCoding::Manchester, 11, 1, 1},
                    IdealCase{Format::UnipolarNrz, LineCoding::FourB5BNrzi, 13, 1, 0.5},
                    IdealCase{Format::PolarNrz, LineCoding::Differential, 11, 1, 1}));

// --- the span cut ----------------------------------------------------------------------

struct CutCase {
    int v;
    double sigma;
};

class SpanCut : public testing::TestWithParam<CutCase> {};

// A pulse over several slots, carried over 2 slots and over 14: the longer span's
// rate lies inside the short one's stated bounds, which are far apart; the longer one's own
// bounds are tight.
TEST_P(SpanCut, BoundsHoldTheLongerSpansRate) {
    const CutCase& c = GetParam();
    const Thresholds t{0, 0, 0, 0, 0};
    const auto cut =
        ComputeLinkStatistics(Link(Format::PolarNrz, LineCoding::None, t, c.v, 60, false, 2));
    const auto full = ComputeLinkStatistics(Link(Format::PolarNrz, LineCoding::None, t, c.v, 60));
    ASSERT_TRUE(cut && full);
    const double unit = UnitAndDeviation(*full).first;
    const DecisionRates a = RatesAt(*cut, c.v, t, c.sigma * unit);
    const DecisionRates b = RatesAt(*full, c.v, t, c.sigma * unit);
    EXPECT_GE(b.wrongDecisions, a.lower);
    EXPECT_LE(b.wrongDecisions, a.upper);
    EXPECT_GT(a.upper, 1.5 * a.lower);
    EXPECT_LT(b.upper, 1.05 * b.lower);
    EXPECT_GT(cut->instants[static_cast<std::size_t>(c.v - kFirstStatInstant)].shiftBound,
              0.05 * unit);
}

INSTANTIATE_TEST_SUITE_P(Instants, SpanCut,
                         testing::Values(CutCase{0, 0.12}, CutCase{4, 0.15}, CutCase{-6, 0.2},
                                         CutCase{10, 0.2}));

// --- one threshold, and the grid ------------------------------------------------------

// For two levels the wrong-side rate is the receiver's with every threshold at y, and the
// grid, which puts the samples on a finer grid, follows the direct sums.
TEST(StatisticalEye, GridFollowsTheDirectRates) {
    const auto stats =
        ComputeLinkStatistics(Link(Format::PolarNrz, LineCoding::None, {0, 0, 0, 0, 0}, 0, 60));
    ASSERT_TRUE(stats);
    const double unit = UnitAndDeviation(*stats).first;
    const double sigma = 0.12 * unit;
    const StatisticalEye eye = ComputeStatisticalEye(*stats, sigma, 256);
    ASSERT_EQ(eye.instants.size(), std::size_t{kStatInstants});
    ASSERT_EQ(eye.thresholds.size(), 256U);
    int compared = 0;
    for (std::size_t i = 0; i < eye.instants.size(); i += 8) {
        for (std::size_t j = 0; j < eye.thresholds.size(); j += 11) {
            const double y = eye.thresholds[j];
            const double direct = WrongSideRate(*stats, eye.instants[i], y, sigma);
            const DecisionRates r = RatesAt(*stats, eye.instants[i], {y, y, y, y, y}, sigma);
            const auto means = MeanSamples(*stats, eye.instants[i]);
            if (y > means[0] && y < means[1]) {
                EXPECT_NEAR(direct / r.wrongDecisions, 1, 1e-9);
            }
            if (direct < 1e-13) continue;
            EXPECT_NEAR(std::log10(eye.At(i, j)), std::log10(direct), 0.05) << i << " " << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 50);
}

// A range asked for may miss the samples by far, or be no range at all: the grid still
// follows the direct sums, and never builds tables to reach them.
TEST(StatisticalEye, AnyRangeAskedFor) {
    const auto stats =
        ComputeLinkStatistics(Link(Format::PolarNrz, LineCoding::None, {0, 0, 0, 0, 0}, 0, 60));
    ASSERT_TRUE(stats);
    const double unit = UnitAndDeviation(*stats).first;
    const double sigma = 0.3 * unit;
    for (const auto& range : {std::pair{-0.2 * unit, 0.2 * unit}, std::pair{3 * unit, 3.001 * unit},
                              std::pair{-1e-9 * unit, 1e-9 * unit}}) {
        const StatisticalEye eye = ComputeStatisticalEye(*stats, sigma, 16, range);
        for (std::size_t j = 0; j < eye.thresholds.size(); j += 5) {
            const double direct = WrongSideRate(*stats, 0, eye.thresholds[j], sigma);
            EXPECT_NEAR(eye.At(32, j) / direct, 1, 0.02) << range.first;
        }
    }
    const StatisticalEye fallback = ComputeStatisticalEye(*stats, sigma, 16, std::pair{1.0, 1.0});
    EXPECT_LT(fallback.thresholds.front(), -unit);
    EXPECT_GT(fallback.thresholds.back(), unit);
}

// The eye is open in the middle and closes towards the edges; the bathtubs find the middle
// and the opening shrinks as the rate asked for falls.
TEST(StatisticalEye, BathtubFindsTheOpening) {
    const auto stats =
        ComputeLinkStatistics(Link(Format::PolarNrz, LineCoding::None, {0, 0, 0, 0, 0}, 12, 60));
    ASSERT_TRUE(stats);
    const double unit = UnitAndDeviation(*stats).first;
    const Bathtub tub = ComputeBathtub(*stats, 0.08 * unit, 128);
    ASSERT_EQ(tub.openings.size(), 2U);
    EXPECT_EQ(tub.instantInUse, 12);
    EXPECT_LT(std::abs(tub.bestInstant), 12);
    for (const DecisionRates& r : tub.byInstant)
        EXPECT_GE(r.wrongDecisions * (1 + 1e-9),
                  tub.byInstant[static_cast<std::size_t>(tub.bestInstant - kFirstStatInstant)]
                      .wrongDecisions);
    EXPECT_NEAR(tub.bestThreshold, 0, 0.05 * unit);
    EXPECT_GT(tub.openings[0].width, tub.openings[1].width);
    EXPECT_GT(tub.openings[1].width, 0);
    EXPECT_GT(tub.openings[0].height, 0);
    EXPECT_GE(tub.openings[0].height, tub.openings[1].height);
}

// The curve falls with Eb/N0 and each point is the receiver's rate at its noise level.
TEST(StatisticalEye, BerCurveFallsAndMatchesItsPoints) {
    const auto stats = ComputeLinkStatistics(
        Link(Format::PolarNrzi, LineCoding::Manchester, {0, 0, 0, 0, 0}, 0, 60));
    ASSERT_TRUE(stats);
    std::vector<double> dB;
    for (int i = 0; i < 30; ++i)
        dB.push_back(i * 0.5);
    const auto curve = StatisticalBerCurve(*stats, dB);
    ASSERT_EQ(curve.size(), dB.size());
    for (std::size_t i = 1; i < curve.size(); ++i)
        EXPECT_LT(curve[i].rates.dataBits, curve[i - 1].rates.dataBits) << i;
    const StatBerPoint& p = curve[20];
    EXPECT_EQ(
        p.rates.wrongDecisions,
        RatesAt(*stats, 0, stats->thresholds, StatNoiseSigma(*stats, p.noiseLevel)).wrongDecisions);
}

// --- the levels' statistics -------------------------------------------------------------

struct PatternCase {
    Format format;
    LineCoding code;
};

class LevelWindow : public testing::TestWithParam<PatternCase> {};

// The exact window distribution against the real transmit stages over many runs: every
// window the stages send is one the machine knows, and their frequencies agree.
TEST_P(LevelWindow, MatchesTheTransmitStages) {
    const PatternCase& c = GetParam();
    constexpr int kFirst = 61, kCount = 5, kRuns = 20000;
    const auto exact = LevelPatterns({c.format, c.code, PreCoding::None}, kFirst, kCount);
    std::map<std::array<int16_t, kMaxLevelWindow>, double> known;
    double total = 0;
    for (const LevelPattern& p : exact) {
        known[p.levels] = p.p;
        total += p.p;
    }
    EXPECT_NEAR(total, 1, 1e-12);
    auto s = std::make_unique<RunState>();
    s->rng.Seed(99);
    std::map<std::array<int16_t, kMaxLevelWindow>, int> seen;
    for (int run = 0; run < kRuns; ++run) {
        GenerateData(DataSource::Random, s->rng, s->iData);
        PreCode(PreCoding::None, *s);
        LineCode(c.code, c.format == Format::Pam4, *s);
        MapLevels(c.format, 16, s->iCodedData, s->iModData);
        std::array<int16_t, kMaxLevelWindow> window{};
        for (int i = 0; i < kCount; ++i)
            window[static_cast<std::size_t>(i)] = s->iModData[static_cast<std::size_t>(kFirst + i)];
        ++seen[window];
    }
    for (const auto& [window, count] : seen) {
        ASSERT_TRUE(known.count(window)) << "a window the machine never sends";
        const double p = known[window];
        const double f = double(count) / kRuns;
        EXPECT_NEAR(f, p, 5 * std::sqrt(p * (1 - p) / kRuns) + 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, LevelWindow,
                         testing::Values(PatternCase{Format::PolarNrzi, LineCoding::None},
                                         PatternCase{Format::Ami, LineCoding::None},
                                         PatternCase{Format::Mlt3, LineCoding::None},
                                         PatternCase{Format::Hdb3, LineCoding::None},
                                         PatternCase{Format::Pam4, LineCoding::FourB5B},
                                         PatternCase{Format::PolarNrz, LineCoding::Manchester},
                                         PatternCase{Format::UnipolarNrz, LineCoding::FourB5BNrzi},
                                         PatternCase{Format::Hdb3, LineCoding::DiffManchester}));

// A receiver that decodes another line code than the one sent still has its decisions, but
// no data-bit rate the decoding costs could give.
TEST(StatisticalEye, NoDataRateForAnotherDecoder) {
    StatEyeSetup s = Link(Format::PolarNrz, LineCoding::None, {});
    s.config.code[1] = LineCoding::Differential;
    const auto stats = ComputeLinkStatistics(s);
    ASSERT_TRUE(stats);
    const DecisionRates r =
        RatesAt(*stats, 0, {0, 0, 0, 0, 0}, 0.3 * UnitAndDeviation(*stats).first);
    EXPECT_GT(r.wrongDecisions, 0);
    EXPECT_TRUE(std::isnan(r.dataBits));
}

// A receive mapping other than the transmit one has no level to be right about.
TEST(StatisticalEye, RefusesMismatchedMappings) {
    StatEyeSetup s = Link(Format::PolarNrz, LineCoding::None, {});
    s.config.format[1] = Format::Ami;
    EXPECT_FALSE(ComputeLinkStatistics(s));
    s.config.format[1].reset();
    EXPECT_FALSE(ComputeLinkStatistics(s));
}

}  // namespace
}  // namespace linelab
