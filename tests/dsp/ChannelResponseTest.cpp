#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dsp/ChannelResponse.h"
#include "tests/dsp/ResponseTestUtil.h"

namespace linelab {
namespace {

using Edge = std::optional<double>;  // empty: "None"
const Edge kNone;
const double kMax = std::numeric_limits<double>::max();  // a huge typed number reads as this
const double kNaN = std::nan("");

struct BandCase {
    Edge lowPass;
    Edge highPass;
    double baud;
    int first;  // the pass band in bins 0..1024, empty when first > last
    int last;
};

void PrintTo(const BandCase& c, std::ostream* os) {
    const auto text = [](Edge e) { return e ? std::to_string(*e) : std::string("None"); };
    *os << "low " << text(c.lowPass) << " high " << text(c.highPass) << " at " << c.baud;
}

class ChannelBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(ChannelBand, PassesExactlyTheBandAndItsMirror) {
    const BandCase& c = GetParam();
    Signal out{};
    out[kSignalFloats] = -3.0;
    BuildChannelResponse(c.lowPass, c.highPass, c.baud, out);
    for (int k = 0; k < kPoints; ++k) {
        const int folded = k <= 1024 ? k : kPoints - k;
        const bool passes = folded >= c.first && folded <= c.last;
        EXPECT_EQ(out[2 * k], passes ? 1.0 : 0.0) << k;
        EXPECT_EQ(out[2 * k + 1], 0.0) << k;
    }
    EXPECT_EQ(out[kSignalFloats], -3.0);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ChannelBand,
    ::testing::Values(
        // the open channel passes all but half the sampling rate
        BandCase{kNone, kNone, 1.0, 0, 1023}, BandCase{kNone, kNone, 0.5, 0, 1023},
        BandCase{1.0, kNone, 2.0, 0, 63}, BandCase{kNone, 0.1, 1.0, 12, 1023},
        BandCase{0.5, 0.05, 1.0, 6, 63},
        // empty bands: high edge at or above the low edge, a low edge of 0
        BandCase{1.0, 1.0, 1.0, 1, 0}, BandCase{0.5, 2.0, 1.0, 1, 0},
        BandCase{0.0, kNone, 1.0, 1, 0}, BandCase{-5.0, kNone, 1.0, 1, 0},
        // a high edge that reads as 0 or below is no edge
        BandCase{2.0, 0.0, 1.0, 0, 255}, BandCase{2.0, -5.0, 1.0, 0, 255},
        // edges beyond half the sampling rate: the band reaches bin 1024, or is empty
        BandCase{99999.0, kNone, 1.0, 0, 1024}, BandCase{kMax, 0.5, 1.0, 64, 1024},
        BandCase{kNone, kMax, 1.0, 1, 0}, BandCase{99999.0, 99998.0, 1.0, 1, 0},
        BandCase{8.5, kNone, 1.0, 0, 1024},
        // an edge that is NaN reads as 0
        BandCase{kNaN, kNone, 1.0, 1, 0}, BandCase{2.0, kNaN, 1.0, 0, 255},
        // a symbol rate that is not positive works as 1.0
        BandCase{1.0, kNone, 0.0, 0, 127}, BandCase{1.0, kNone, -2.0, 0, 127}));

TEST(TotalResponse, IsTheComplexProductOfChannelTransmitAndReceive) {
    std::mt19937_64 gen(9);
    std::uniform_real_distribution<double> dist(-2.0, 2.0);
    Signal c{}, t{}, r{}, total{};
    for (int i = 0; i < kSignalFloats; ++i) {
        c[i] = dist(gen);
        t[i] = dist(gen);
        r[i] = dist(gen);
    }
    total[kSignalFloats] = 5.0;
    BuildTotalResponse(c, t, r, total);
    for (int k = 0; k < kPoints; ++k) {
        const std::complex<double> expected = Bin(c, k) * Bin(t, k) * Bin(r, k);
        EXPECT_NEAR(std::abs(Bin(total, k) - expected), 0.0, 1e-14) << k;
    }
    EXPECT_EQ(total[kSignalFloats], 5.0);
}

}  // namespace
}  // namespace linelab
