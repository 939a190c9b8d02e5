#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

#include "dsp/ChannelResponse.h"
#include "tests/dsp/ResponseTestUtil.h"

namespace linelab {
namespace {

struct BandCase {
    std::string lowPass;
    std::string highPass;
    double baud;
    int first;  // the pass band in bins 0..1024, empty when first > last
    int last;
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << "low " << c.lowPass << " high " << c.highPass << " at " << c.baud;
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
        BandCase{"None", "None", 1.0, 0, 1023}, BandCase{"None", "None", 0.5, 0, 1023},
        BandCase{"1.0", "None", 2.0, 0, 63}, BandCase{"None", "0.1", 1.0, 12, 1023},
        BandCase{"0.5", "0.05", 1.0, 6, 63},
        // empty bands: high edge at or above the low edge, a low edge of 0
        BandCase{"1.0", "1.0", 1.0, 1, 0}, BandCase{"0.5", "2.0", 1.0, 1, 0},
        BandCase{"abc", "None", 1.0, 1, 0}, BandCase{"-5", "None", 1.0, 1, 0},
        // a high edge that reads as 0 or below is no edge
        BandCase{"2.0", "abc", 1.0, 0, 255}, BandCase{"2.0", "-5", 1.0, 0, 255},
        // edges beyond half the sampling rate: the band reaches bin 1024, or is empty
        BandCase{"99999", "None", 1.0, 0, 1024}, BandCase{"1e999", "0.5", 1.0, 64, 1024},
        BandCase{"None", "1e999", 1.0, 1, 0}, BandCase{"99999", "99998", 1.0, 1, 0},
        BandCase{"8.5", "None", 1.0, 0, 1024},
        // a symbol rate that is not positive works as 1.0
        BandCase{"1.0", "None", 0.0, 0, 127}, BandCase{"1.0", "None", -2.0, 0, 127}));

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
