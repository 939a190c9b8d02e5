#include <gtest/gtest.h>

#include <cmath>

#include "analysis/SignalToNoise.h"
#include "common/Tables.h"
#include "common/TextNumber.h"
#include "receiver/Noise.h"
#include "tests/CaseName.h"

namespace linelab {
namespace {

LinkConfig Noisy(const char* level, LineCoding code = LineCoding::None,
                 Format format = Format::PolarNrz) {
    LinkConfig c;
    c.noiseLevel = NoiseLevel(Val(level));
    c.code = {code, code};
    c.format = {format, format};
    return c;
}

// Independent of the derivation's algebra: Es/N0 recomputed from the deviation the noise
// step really draws, N0 = 2 sigma^2 in the energy unit of P.
TEST(SignalToNoise, AgreesWithTheDeviationTheNoiseStepDraws) {
    const LineCoding codes[] = {LineCoding::None, LineCoding::Manchester, LineCoding::FourB5B};
    const Format formats[] = {Format::PolarNrz, Format::Pam4};
    for (const LineCoding code : codes) {
        for (const Format format : formats) {
            const LinkConfig s = Noisy("0.37", code, format);
            const double energy = 123.0;  // any P: it must cancel
            const double sigma = NoiseSigma(0.37, energy, SymbolRate(code, format));
            const double esN0 = energy / (2 * sigma * sigma);
            const auto ratios = SignalToNoiseOf(s);
            ASSERT_TRUE(ratios.has_value());
            EXPECT_NEAR(ratios->dEsN0dB, 10 * std::log10(esN0), 1e-9)
                << test::IdName(code) << " / " << test::IdName(format);
        }
    }
}

TEST(SignalToNoise, CountsTheDataBitsEachSymbolReallyCarries) {
    EXPECT_NEAR(SignalToNoiseOf(Noisy("0.1"))->dEbN0dB, 10.0, 1e-9);
    // Manchester: two symbols per bit at twice the rate: Eb/N0 = 2 / (0.1 * 4) = 5.
    EXPECT_NEAR(SignalToNoiseOf(Noisy("0.1", LineCoding::Manchester))->dEbN0dB,
                10 * std::log10(5.0), 1e-9);
    // 4-PAM: two bits per symbol at half the rate: Es/N0 = 40, Eb/N0 = 20.
    const auto pam = SignalToNoiseOf(Noisy("0.1", LineCoding::None, Format::Pam4));
    EXPECT_NEAR(pam->dEsN0dB, 10 * std::log10(40.0), 1e-9);
    EXPECT_NEAR(pam->dEbN0dB, 10 * std::log10(20.0), 1e-9);
    // 4B5B: the noise uses the 1.2 rate, but five code bits carry four data bits.
    const auto fb = SignalToNoiseOf(Noisy("0.1", LineCoding::FourB5B));
    EXPECT_NEAR(fb->dEbN0dB, 10 * std::log10(1.25 / (0.1 * 1.44)), 1e-9);
}

TEST(SignalToNoise, NoNoiseWhenTheLevelIsNotPositive) {
    EXPECT_FALSE(SignalToNoiseOf(Noisy("0")).has_value());
    EXPECT_FALSE(SignalToNoiseOf(Noisy("-1")).has_value());
    EXPECT_FALSE(SignalToNoiseOf(Noisy("abc")).has_value());
}

TEST(SignalToNoise, NoiseLevelForEbN0InvertsTheRatio) {
    for (double dB : {-3.0, 0.0, 6.5, 12.0}) {
        const double level = NoiseLevelForEbN0(dB, 1.2, 1.25);
        EXPECT_NEAR(SignalToNoiseOf(level, 1.2, 1.25)->dEbN0dB, dB, 1e-9);
    }
}

}  // namespace
}  // namespace linelab
