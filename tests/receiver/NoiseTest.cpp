#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <ostream>

#include "common/Tables.h"
#include "common/TextNumber.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "receiver/Noise.h"
#include "tests/CaseName.h"

namespace linelab::test {
namespace {

struct LevelCase {
    const char* text;
    double level;

    friend void PrintTo(const LevelCase& c, std::ostream* os) { *os << ShortText(c.text); }
};

class NoiseLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(NoiseLevelTest, KeepsOnlyPositiveNumbersWithinTheLimit) {
    EXPECT_EQ(NoiseLevel(Val(GetParam().text)), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Texts, NoiseLevelTest,
                         ::testing::Values(LevelCase{"0.4", 0.4}, LevelCase{"None", 0.0},
                                           LevelCase{"0", 0.0}, LevelCase{"-1", 0.0},
                                           LevelCase{"nan", 0.0},
                                           LevelCase{"1e400", kMaxNoiseLevel},
                                           LevelCase{"2e6 W", kMaxNoiseLevel}));

TEST(NoiseSigma, FollowsEnergyAndRateAndStaysFinite) {
    EXPECT_DOUBLE_EQ(NoiseSigma(0.4, 16.0, 1.0), std::sqrt(3.2));
    EXPECT_DOUBLE_EQ(NoiseSigma(0.4, 64.0, 1.0), 2 * std::sqrt(3.2));  // twice the amplitude
    EXPECT_DOUBLE_EQ(NoiseSigma(0.4, 16.0, 0.5), 0.5 * std::sqrt(3.2));
    EXPECT_EQ(NoiseSigma(kMaxNoiseLevel, DBL_MAX, 2.0), kMaxNoiseSigma);
    EXPECT_EQ(NoiseSigma(1.0, INFINITY, 1.0), kMaxNoiseSigma);
    EXPECT_EQ(NoiseSigma(1.0, NAN, 1.0), 0.0);
}

// The polar method written out once more: both deviates of each accepted pair, the real part
// from the first uniform, rejection while s >= 1 or s == 0.
TEST(GaussianPairs, BothDeviatesOfEachAcceptedPair) {
    Uniform drawn(11);
    Uniform replay(11);
    Signal noise{};
    DrawGaussianPairs(noise, 2.5, drawn);
    int rejected = 0;
    for (int j = 0; j < kPoints; ++j) {
        double u1 = replay.NextSingle();
        double u2 = replay.NextSingle();
        while ((2 * u1 - 1) * (2 * u1 - 1) + (2 * u2 - 1) * (2 * u2 - 1) >= 1) {
            ++rejected;
            u1 = replay.NextSingle();
            u2 = replay.NextSingle();
        }
        const double x = 2 * u1 - 1;
        const double y = 2 * u2 - 1;
        const double s = x * x + y * y;
        const double f = std::sqrt(-2 * std::log(s) / s);
        ASSERT_DOUBLE_EQ(noise[2 * j], x * f * 2.5) << j;
        ASSERT_DOUBLE_EQ(noise[2 * j + 1], y * f * 2.5) << j;
    }
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(drawn.NextBits(), replay.NextBits());  // no draw more, no draw less
}

// A run whose transmit waveform has all real parts 1 (one impulse of height 2048 in the
// spectrum, through a transmit filter of 1): energy 2048 over 128 slots, P = 16.
std::unique_ptr<RunState> UnitRun() {
    auto s = std::make_unique<RunState>();
    s->dBaudRate = 1.0;
    s->dTxImpulses[0] = kPoints;
    for (int i = 0; i < kSignalFloats; i += 2) {
        s->responses.dTxResponse[i] = 1.0;
        s->responses.dRxResponse[i] = 1.0;
    }
    return s;
}

struct PowerCase {
    double level, baud;

    friend void PrintTo(const PowerCase& c, std::ostream* os) {
        *os << "level " << c.level << ", rate " << c.baud;
    }
};

class NoisePower : public ::testing::TestWithParam<PowerCase> {};

// Measured over many runs, the received noise power per real value is sigma squared,
// sigma^2 = N * P * baud^2 / 2, P measured on the run's own transmit waveform. The sample
// mean of x^2 has standard error sigma^2 sqrt(2/n).
TEST_P(NoisePower, MatchesSigma) {
    const PowerCase c = GetParam();
    auto s = UnitRun();
    s->dBaudRate = c.baud;
    constexpr int kRuns = 40;
    double sum = 0;
    for (int run = 0; run < kRuns; ++run) {
        s->dRxTimeData.fill(0);
        AddNoise(*s, c.level, RunEnergyPerSlot(*s, nullptr), nullptr);
        FFT(s->dRxTimeData, kPoints, true, false);
        for (int i = 0; i < kSignalFloats; ++i)
            sum += s->dRxTimeData[i] * s->dRxTimeData[i];
    }
    const double n = kRuns * kSignalFloats;
    const double variance = c.level * 16.0 * c.baud * c.baud / 2;
    EXPECT_NEAR(sum / n, variance, 5 * variance * std::sqrt(2 / n));
    for (int i = 0; i < kSignalFloats; i += 2)
        ASSERT_NEAR(s->dTxWaveform[i], 1.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Levels, NoisePower,
                         ::testing::Values(PowerCase{0.4, 1.0}, PowerCase{0.1, 2.0},
                                           PowerCase{1.0, 0.6}));

TEST(AddNoise, SpectrumIsTheReceiveFilterTimesTheDrawnNoise) {
    auto s = UnitRun();
    Uniform sequence(23);
    for (int i = 0; i < kSignalFloats; ++i) {
        s->responses.dRxResponse[i] = sequence.Next() - 0.5;
        s->dRxTimeData[i] = sequence.Next();
    }
    const Signal before = s->dRxTimeData;
    Uniform replay = s->rng;

    AddNoise(*s, 0.4, 16.0, nullptr);

    Signal drawn{};
    DrawGaussianPairs(drawn, NoiseSigma(0.4, 16.0, 1.0), replay);
    FFT(drawn, kPoints, false, false);
    Signal filtered{};
    ComplexProduct(s->responses.dRxResponse, drawn, filtered);
    for (int i = 0; i < kSignalFloats; ++i) {
        ASSERT_EQ(s->dNoise[i], drawn[i]) << i;
        ASSERT_EQ(s->dRxNoiseSpectrum[i], filtered[i]) << i;
        ASSERT_EQ(s->dRxTimeData[i], before[i] + filtered[i]) << i;
    }
}

}  // namespace
}  // namespace linelab::test
