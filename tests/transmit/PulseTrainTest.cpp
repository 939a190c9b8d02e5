#include <gtest/gtest.h>

#include <complex>
#include <memory>
#include <random>
#include <span>
#include <string>

#include "common/RunState.h"
#include "common/Tables.h"
#include "dsp/nrFFT.h"
#include "tests/CaseName.h"
#include "tests/dsp/ResponseTestUtil.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

std::unique_ptr<RunState> StateWithRandomResponse(unsigned seed) {
    auto s = std::make_unique<RunState>();
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (int i = 0; i < kSignalFloats; ++i)
        s->responses.dTotalResponse[i] = dist(gen);
    return s;
}

void FillLevels(RunState& s, int lowest, int highest, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> level(lowest, highest);
    for (int16_t& v : s.iModData)
        v = static_cast<int16_t>(level(gen));
}

struct FormatWidth {
    Format format;
    int dutyCycle;  // pulse width in sixteenths of a symbol
};

void PrintTo(const FormatWidth& c, std::ostream* os) {
    *os << test::IdName(c.format) << " at " << c.dutyCycle << "/16";
}

class PulseTrainImpulses : public ::testing::TestWithParam<FormatWidth> {};

// The impulse of symbol i sits at sample 16 i with weight 256 A level / D: narrower pulses
// get proportionally larger impulses. The stage leaves their spectrum in dTxImpulses, so the
// train is recovered by transforming it back.
TEST_P(PulseTrainImpulses, OneWeightedImpulsePerSymbol) {
    const auto [format, duty] = GetParam();
    const FormatInfo& info = Info(format);
    auto s = StateWithRandomResponse(1);
    FillLevels(*s, info.iMin, info.iMax, 2);
    BuildPulseTrain(*s, info.amplitude * 16 / duty, nullptr);

    Signal train = s->dTxImpulses;
    FFT(std::span<double>(train.data(), kSignalFloats), kPoints, true, false);
    for (int n = 0; n < kPoints; ++n) {
        const double expected =
            n % 16 == 0 ? 256 * info.amplitude * s->iModData[n / 16] / duty : 0.0;
        EXPECT_NEAR(train[2 * n], expected, 1e-12) << n;
        EXPECT_NEAR(train[2 * n + 1], 0.0, 1e-12) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PulseTrainImpulses,
    ::testing::Values(FormatWidth{Format::UnipolarNrz, 16}, FormatWidth{Format::UnipolarNrz, 4},
                      FormatWidth{Format::PolarNrz, 16}, FormatWidth{Format::PolarNrz, 8},
                      FormatWidth{Format::Ami, 16}, FormatWidth{Format::Hdb3, 16},
                      FormatWidth{Format::Pam4, 12}, FormatWidth{Format::Pam4, 4}));

// Full-width polar ones: every 32nd element of the train is 16, so it repeats every 16
// samples and its spectrum lives only in multiples of bin 128.
TEST(PulseTrain, AllOnesRepeatEverySymbol) {
    auto s = StateWithRandomResponse(3);
    s->iModData.fill(1);
    BuildPulseTrain(*s, 1.0, nullptr);
    for (int k = 0; k < kPoints; ++k) {
        const std::complex<double> x = Bin(s->dTxImpulses, k);
        EXPECT_NEAR(std::abs(x - std::complex<double>(k % 128 == 0 ? 16 * 128 : 0, 0)), 0.0, 1e-10)
            << k;
    }
}

// The received spectrum is the train's spectrum times the total response, bin by bin, and its
// copy is identical.
TEST(PulseTrain, MultipliesByTheTotalResponseIntoTwoEqualCopies) {
    auto s = StateWithRandomResponse(4);
    FillLevels(*s, -3, 3, 5);
    BuildPulseTrain(*s, 0.75, nullptr);
    const Signal& h = s->responses.dTotalResponse;
    for (int k = 0; k < kPoints; ++k) {
        const std::complex<double> expected = Bin(h, k) * Bin(s->dTxImpulses, k);
        EXPECT_NEAR(std::abs(Bin(s->dRxSpectrum, k) - expected), 0.0, 1e-12) << k;
    }
    for (int i = 0; i < kSignalFloats; ++i)
        EXPECT_EQ(s->dRxTimeData[i], s->dRxSpectrum[i]);
}

// The spectrum equals that of a full 2048-point transform of the impulse train.
TEST(PulseTrain, SpectrumMatchesTheFullTransformOfTheTrain) {
    auto s = StateWithRandomResponse(6);
    FillLevels(*s, -3, 3, 7);
    const double dScale = 1.328 * 16 / 12;
    Signal train{};
    for (int i = 0; i < kSymbols; ++i)
        train[32 * i] = (16 * s->iModData[i]) * dScale;
    FFT(std::span<double>(train.data(), kSignalFloats), kPoints, false, false);

    BuildPulseTrain(*s, dScale, nullptr);
    for (int i = 0; i < kSignalFloats; ++i)
        EXPECT_EQ(s->dTxImpulses[i], train[i]) << i;
}

// An unknown format's scale of 0 silences the run; the element beyond the 2048 values of
// each buffer is never touched.
TEST(PulseTrain, ZeroScaleGivesSilenceAndLeavesTheUnusedElementsAlone) {
    auto s = StateWithRandomResponse(8);
    FillLevels(*s, -1, 1, 9);
    for (Signal* b : {&s->dTxImpulses, &s->dRxSpectrum, &s->dRxTimeData})
        b->fill(3.0);
    s->responses.dTotalResponse[kSignalFloats] = 3.0;
    BuildPulseTrain(*s, 0.0, nullptr);
    for (Signal* b : {&s->dTxImpulses, &s->dRxSpectrum, &s->dRxTimeData}) {
        for (int i = 0; i < kSignalFloats; ++i)
            ASSERT_EQ((*b)[i], 0.0) << i;
    }
    for (Signal* b :
         {&s->dTxImpulses, &s->dRxSpectrum, &s->dRxTimeData, &s->responses.dTotalResponse}) {
        EXPECT_EQ((*b)[kSignalFloats], 3.0);
    }
}

}  // namespace
}  // namespace linelab
