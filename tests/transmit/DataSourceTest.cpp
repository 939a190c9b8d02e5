#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "common/Reporter.h"
#include "tests/CaseName.h"
#include "transmit/Transmit.h"

namespace linelab {
// The sources fed from a given sequence of draws (defined beside GenerateData).
void GenerateDataFrom(std::optional<DataSource> source, Bits& iData,
                      const std::function<double()>& draw);
}  // namespace linelab

namespace linelab {
namespace {

// Hands out the scripted draws, then repeats the last one; counts what was drawn.
struct Script {
    std::deque<double> draws;
    int count = 0;
    double operator()() {
        ++count;
        const double u = draws.front();
        if (draws.size() > 1) draws.pop_front();
        return u;
    }
};

Bits Generate(DataSource source, Script& script, int16_t fill = 7) {
    Bits bits;
    bits.fill(fill);
    GenerateDataFrom(source, bits, std::ref(script));
    return bits;
}

TEST(ConstantSources, WriteEveryPositionAndDrawNothing) {
    auto state = std::make_unique<RunState>();
    Uniform before = state->rng;
    GenerateData(DataSource::AllOnes, state->rng, state->iData);
    for (int16_t bit : state->iData)
        EXPECT_EQ(bit, 1);
    GenerateData(DataSource::AllZeros, state->rng, state->iData);
    for (int16_t bit : state->iData)
        EXPECT_EQ(bit, 0);
    EXPECT_EQ(state->rng.Next(), before.Next());
}

TEST(UnknownSource, LeavesBitsAndGenerator) {
    auto state = std::make_unique<RunState>();
    state->iData.fill(5);
    Uniform before = state->rng;
    GenerateData(std::nullopt, state->rng, state->iData);
    for (int16_t bit : state->iData)
        EXPECT_EQ(bit, 5);
    EXPECT_EQ(state->rng.Next(), before.Next());
}

struct Biased {
    DataSource source;
    double threshold;

    friend void PrintTo(const Biased& b, std::ostream* os) { PrintTo(b.source, os); }
};

class BiasedSource : public testing::TestWithParam<Biased> {};

TEST_P(BiasedSource, DrawOnTheThresholdIsZeroAndJustAboveIsOne) {
    Script at{{GetParam().threshold}};
    for (int16_t bit : Generate(GetParam().source, at))
        EXPECT_EQ(bit, 0);
    EXPECT_EQ(at.count, kBits);
    Script above{{std::nextafter(GetParam().threshold, 1.0)}};
    for (int16_t bit : Generate(GetParam().source, above))
        EXPECT_EQ(bit, 1);
}

TEST_P(BiasedSource, FollowsTheSharedGeneratorAcrossRuns) {
    auto state = std::make_unique<RunState>();
    Uniform oracle = state->rng;
    for (int run = 0; run < 3; ++run) {
        GenerateData(GetParam().source, state->rng, state->iData);
        for (int i = 0; i < kBits; ++i) {
            ASSERT_EQ(state->iData[i], oracle.Next() > GetParam().threshold ? 1 : 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Thresholds, BiasedSource,
                         testing::Values(Biased{DataSource::Random, 0.5},
                                         Biased{DataSource::Zeros75, 0.75},
                                         Biased{DataSource::Ones75, 0.25}));

TEST(Prbs7, PhasesZeroAndThree) {
    Script zero{{0.0}};
    const Bits p0 = Generate(DataSource::Prbs7, zero);
    const std::vector<int16_t> expect0 = {1, 1, 1, 0, 0, 1, 0, 1, 1, 1};
    EXPECT_EQ(std::vector<int16_t>(p0.begin(), p0.begin() + 10), expect0);
    EXPECT_EQ(zero.count, 1);

    Script three{{3.5 / 91}};
    const Bits p3 = Generate(DataSource::Prbs7, three);
    const std::vector<int16_t> expect3 = {0, 0, 1, 0, 1, 1, 1, 0};
    EXPECT_EQ(std::vector<int16_t>(p3.begin(), p3.begin() + 8), expect3);

    Script last{{0.999}};  // phase 90, which is 6 modulo 7
    const Bits p90 = Generate(DataSource::Prbs7, last);
    const std::vector<int16_t> expect90 = {0, 1, 1, 1, 0, 0, 1};
    EXPECT_EQ(std::vector<int16_t>(p90.begin(), p90.begin() + 7), expect90);
}

TEST(Prbs7, EveryPhaseRepeatsEverySevenAndObeysItsRecurrence) {
    for (double u : {0.0, 0.3, 0.5, std::nextafter(1.0, 0.0)}) {
        Script script{{u}};
        const Bits bits = Generate(DataSource::Prbs7, script);
        for (int i = 7; i < kBits; ++i)
            ASSERT_EQ(bits[i], bits[i - 7]) << i;
        for (int i = 3; i < kBits; ++i)
            ASSERT_EQ(bits[i], bits[i - 2] ^ bits[i - 3]) << i;
    }
}

TEST(ExponentialRuns, DrawsAboveTheKneeGiveRunsOfOneAndKeepTheUpperHalf) {
    // First bit 0, then every run length drawn from U > e^(-1/4).
    Script script{{0.25, std::exp(-0.25) * (1 + 1e-12)}};
    const Bits bits = Generate(DataSource::ExponentialRuns, script);
    for (int p = 0; p < kSymbols; ++p)
        EXPECT_EQ(bits[p], p % 2) << p;
    for (int p = kSymbols; p < kBits; ++p)
        EXPECT_EQ(bits[p], 7) << p;
    // Runs are laid out until their start reaches 256: one draw per position.
    EXPECT_EQ(script.count, 1 + kBits);
}

TEST(ExponentialRuns, ZeroDrawsAreSkippedAndLengthsFollowTheLogarithm) {
    // First bit 1; two zero draws are skipped; U = 0.5 gives floor(1 + 4 ln 2) = 3; just
    // below e^(-1/4) gives 2; then runs of one.
    Script script{{0.7, 0.0, 0.0, 0.5, std::exp(-0.25) * (1 - 1e-12), 0.9}};
    const Bits bits = Generate(DataSource::ExponentialRuns, script);
    const std::vector<int16_t> expect = {1, 1, 1, 0, 0, 1, 0, 1};
    EXPECT_EQ(std::vector<int16_t>(bits.begin(), bits.begin() + 8), expect);
}

TEST(ExponentialRuns, RealDrawsWriteBitsOnlyBelow128) {
    auto state = std::make_unique<RunState>();
    state->iData.fill(7);
    for (int run = 0; run < 200; ++run) {
        GenerateData(DataSource::ExponentialRuns, state->rng, state->iData);
        for (int p = 0; p < kSymbols; ++p)
            ASSERT_TRUE(state->iData[p] == 0 || state->iData[p] == 1);
        for (int p = kSymbols; p < kBits; ++p)
            ASSERT_EQ(state->iData[p], 7);
    }
}

}  // namespace
}  // namespace linelab
