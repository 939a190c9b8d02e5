#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/CaseName.h"
#include "tests/dsp/ResponseTestUtil.h"

namespace linelab {
namespace {

const double kSqrtHalf = std::sqrt(0.5);

// Bins whose value is not zero.
std::vector<int> NonZeroBins(const Signal& s) {
    std::vector<int> bins;
    for (int k = 0; k < kPoints; ++k) {
        if (Bin(s, k) != std::complex<double>(0, 0)) bins.push_back(k);
    }
    return bins;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> v;
    for (int k = first; k <= last; ++k)
        v.push_back(k);
    return v;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- Raised cosine ----

TEST(RaisedCosine, FiftyPercentFlatHalfAtBin64AndZeroFromBin96) {
    for (const auto side : {FilterSide::Transmitter, FilterSide::Receiver}) {
        const Signal rc = Response({.type = FilterType::RC, .eb = 50}, side);
        const Signal root = Response({.type = FilterType::RootRC, .eb = 50}, side);
        for (int k = 0; k <= 32; ++k)
            EXPECT_EQ(rc[2 * k], 1.0) << k;
        EXPECT_NEAR(rc[2 * 64], 0.5, 1e-7);
        EXPECT_NEAR(root[2 * 64], kSqrtHalf, 1e-7);
        for (int k = 96; k <= 1024; ++k)
            EXPECT_EQ(rc[2 * k], 0.0) << k;
    }
}

TEST(RaisedCosine, HundredPercentFallsOverTheWholeSymbolRate) {
    const Signal rc = TxResponse({.type = FilterType::RC, .eb = 100});
    EXPECT_EQ(rc[0], 1.0);
    EXPECT_NEAR(rc[2 * 64], 0.5, 1e-7);
    EXPECT_GT(rc[2 * 127], 0.0);
    for (int k = 128; k <= 1024; ++k)
        EXPECT_EQ(rc[2 * k], 0.0) << k;
}

class RaisedCosineRollOff : public ::testing::TestWithParam<int> {};

// The root version is the square root of the plain one, and the plain one is symmetric
// about half the symbol rate (A(64 - d) + A(64 + d) = 1), which is what makes its pulse
// free of interference between symbols. That holds on the grid of bins when the roll-off
// starts on a whole bin, so these excess bandwidths are multiples of 1/64 of the rate.
TEST_P(RaisedCosineRollOff, RootSquaresToPlainAndPlainIsNyquistSymmetric) {
    const int eb = GetParam();
    const Signal rc = TxResponse({.type = FilterType::RC, .eb = eb});
    const Signal root = TxResponse({.type = FilterType::RootRC, .eb = eb});
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_NEAR(root[2 * k] * root[2 * k], rc[2 * k], 1e-15) << k;
        EXPECT_EQ(rc[2 * k + 1], 0.0) << k;
    }
    for (int d = 0; d <= 64; ++d) {
        EXPECT_NEAR(rc[2 * (64 - d)] + rc[2 * (64 + d)], 1.0, 1e-6) << d;
    }
}

// The pulse of the plain version crosses zero at every other symbol instant.
TEST_P(RaisedCosineRollOff, PulseIsZeroAtOtherSymbolInstants) {
    const Signal pulse = PulseOf(TxResponse({.type = FilterType::RC, .eb = GetParam()}));
    const double peak = pulse[0];
    ASSERT_GT(peak, 0.0);
    for (int symbol = 1; symbol < 128; ++symbol) {
        EXPECT_NEAR(pulse[2 * 16 * symbol] / peak, 0.0, 1e-6) << symbol;
    }
}

INSTANTIATE_TEST_SUITE_P(ExcessBandwidth, RaisedCosineRollOff, ::testing::Values(25, 50, 75, 100));

// ---- Base pulse and "None" ----

struct PulseCase {
    int sixteenths;
    int fullSamples;  // samples at s/16 (s = square root of the width)
    int halfSamples;  // samples at s/32
    double width;     // the width as a share of the symbol
    double p0;        // the base spectrum at bin 0, the pulse's area
};

void PrintTo(const PulseCase& c, std::ostream* os) {
    *os << c.sixteenths << "/16";
}

class BasePulse : public ::testing::TestWithParam<PulseCase> {};

TEST_P(BasePulse, IsARectangleCentredOnSampleZero) {
    const PulseCase& c = GetParam();
    const Signal none = TxResponse({.type = FilterType::None, .width = c.sixteenths});
    const Signal pulse = PulseOf(none);
    const double s = std::sqrt(c.width);
    int full = 0, half = 0;
    for (int n = 0; n < kPoints; ++n) {
        const double v = pulse[2 * n];
        EXPECT_NEAR(pulse[2 * n + 1], 0.0, 1e-15) << n;
        if (std::abs(v - s / 16) < 1e-12)
            ++full;
        else if (std::abs(v - s / 32) < 1e-12)
            ++half;
        else
            EXPECT_NEAR(v, 0.0, 1e-15) << n;
        EXPECT_NEAR(v, pulse[2 * ((kPoints - n) % kPoints)], 1e-15) << n;  // centred
    }
    EXPECT_EQ(full, c.fullSamples);
    EXPECT_EQ(half, c.halfSamples);
    EXPECT_NEAR(none[0], c.p0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Widths, BasePulse,
                         ::testing::Values(PulseCase{16, 15, 2, 1.0, 1.0},
                                           PulseCase{8, 7, 2, 0.5, 0.5 * kSqrtHalf},
                                           PulseCase{1, 0, 1, 0.06, std::sqrt(0.06) / 32},
                                           // the width is the box's whole percent, not 10/16
                                           PulseCase{10, 9, 2, 0.63, 5 * std::sqrt(0.63) / 8},
                                           // widths outside 1..16 are limited
                                           PulseCase{0, 0, 1, 0.06, std::sqrt(0.06) / 32},
                                           PulseCase{99, 15, 2, 1.0, 1.0}));

TEST(BasePulse, ReceiverNoneIsOneInEveryBin) {
    const Signal rx = RxResponse({.type = FilterType::None, .width = 4});
    for (int k = 0; k < kPoints; ++k)
        EXPECT_EQ(Bin(rx, k), std::complex<double>(1, 0)) << k;
}

// ---- Cut-off filters ----

struct CutoffCase {
    double bw;
    double baud;
    int lastBin;
};

void PrintTo(const CutoffCase& c, std::ostream* os) {
    *os << c.bw << " kHz at " << c.baud;
}

class SteepCutoffBand : public ::testing::TestWithParam<CutoffCase> {};

TEST_P(SteepCutoffBand, PassesTheBaseSpectrumUpToTheCutoff) {
    const CutoffCase& c = GetParam();
    const Signal rx = RxResponse({.type = FilterType::SteepCutoff, .bw = c.bw}, c.baud);
    const int firstMirror = std::max(kPoints - c.lastBin, c.lastBin + 1);
    EXPECT_EQ(NonZeroBins(rx), Join(Range(0, c.lastBin), Range(firstMirror, 2047)));

    const Signal tx = TxResponse({.type = FilterType::SteepCutoff, .bw = c.bw}, c.baud);
    const Signal none = TxResponse({.type = FilterType::None}, c.baud);
    for (int k = 0; k <= 1024; ++k) {
        EXPECT_EQ(Bin(tx, k), k <= c.lastBin ? Bin(none, k) : std::complex<double>()) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Cutoffs, SteepCutoffBand,
                         ::testing::Values(CutoffCase{1, 1.0, 127}, CutoffCase{0.7, 1.2, 73},
                                           CutoffCase{0.1, 1.0, 11},
                                           // the widest band the system can reach: every bin,
                                           // half the sampling rate included
                                           CutoffCase{6, 0.5, 1024}));

TEST(SinglePole, IsDownByHalfWithAQuarterTurnAtTheCutoff) {
    // 0.5 kHz at 1 kbaud puts x = 1 at bin 64.
    const Signal none = TxResponse({.type = FilterType::None});
    const Signal tx = TxResponse({.type = FilterType::SinglePole, .bw = 0.5});
    const Signal rx = RxResponse({.type = FilterType::SinglePole, .bw = 0.5});
    const double p = none[2 * 64];
    EXPECT_NEAR(tx[2 * 64], p / 2, 1e-15);
    EXPECT_NEAR(tx[2 * 64 + 1], -p / 2, 1e-15);
    EXPECT_NEAR(rx[2 * 64], 0.5, 1e-15);
    EXPECT_NEAR(rx[2 * 64 + 1], 0.5, 1e-15);
}

// With the transform's sign, the receive pole's response starts at the pulse and decays
// forward in time; the transmit pole's is its mirror, reaching back before the pulse (whose
// own rectangle covers samples -8..8).
TEST(SinglePole, ReceiverRingsForwardTransmitterBackward) {
    const auto energy = [](const Signal& pulse, int first, int last) {
        double e = 0;
        for (int n = first; n <= last; ++n)
            e += pulse[2 * n] * pulse[2 * n];
        return e;
    };
    const Signal rx = PulseOf(RxResponse({.type = FilterType::SinglePole, .bw = 0.2}));
    const Signal tx = PulseOf(TxResponse({.type = FilterType::SinglePole, .bw = 0.2}));
    EXPECT_GT(energy(rx, 1, 1023), 20 * energy(rx, 1025, 2047));
    EXPECT_GT(energy(tx, 1025, 2039), 20 * energy(tx, 9, 1023));
}

// ---- Real responses, matched filter, unknown types ----

class RealResponse : public ::testing::TestWithParam<FilterType> {};

TEST_P(RealResponse, HasARealTimeSymmetricPulse) {
    for (const auto side : {FilterSide::Transmitter, FilterSide::Receiver}) {
        const Signal response = Response({.type = GetParam(), .bw = 1.5, .eb = 35}, side);
        const Signal pulse = PulseOf(response);
        for (int k = 0; k < kPoints; ++k) {
            EXPECT_EQ(response[2 * k + 1], 0.0) << k;
            EXPECT_NEAR(pulse[2 * k + 1], 0.0, 1e-14) << k;
            EXPECT_NEAR(pulse[2 * k], pulse[2 * ((kPoints - k) % kPoints)], 1e-14) << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Types, RealResponse,
                         ::testing::Values(FilterType::None, FilterType::SteepCutoff,
                                           FilterType::RC, FilterType::RootRC));

class MatchedReceiver : public ::testing::TestWithParam<FilterType> {};

TEST_P(MatchedReceiver, TimesTransmitterIsRealAndNonNegative) {
    const Signal tx = TxResponse({.type = GetParam(), .bw = 0.3, .eb = 40});
    Signal rx = RxResponse({.type = FilterType::Matched});
    MatchTransmitResponse(tx, rx);
    for (int k = 0; k < kPoints; ++k) {
        const std::complex<double> product = Bin(tx, k) * Bin(rx, k);
        EXPECT_EQ(product.imag(), 0.0) << k;
        EXPECT_GE(product.real(), 0.0) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, MatchedReceiver,
                         ::testing::Values(FilterType::None, FilterType::SteepCutoff,
                                           FilterType::SinglePole, FilterType::RC,
                                           FilterType::RootRC));

// "Matched" is built from the transmit response afterwards; on its own, like a text that
// named no type or a value outside the list, it passes nothing.
TEST(FilterType, UnknownTypesPassNothing) {
    const std::optional<FilterType> unknown[] = {FilterType::Matched, std::nullopt,
                                                 static_cast<FilterType>(77)};
    for (const std::optional<FilterType> type : unknown) {
        for (const auto side : {FilterSide::Transmitter, FilterSide::Receiver}) {
            EXPECT_TRUE(NonZeroBins(Response({.type = type}, side)).empty()) << test::IdName(type);
        }
    }
}

// ---- Safety ----

TEST(FilterResponse, LeavesTheUnusedElementAlone) {
    for (int type = 0; type <= 6; ++type) {
        Signal out{};
        out[kSignalFloats] = 7.5;
        BuildFilterResponse({.type = static_cast<FilterType>(type)}, FilterSide::Transmitter, 1.0,
                            out, nullptr);
        EXPECT_EQ(out[kSignalFloats], 7.5) << type;
    }
}

// A record's numbers outside their ranges design as the nearest end, NaN as no number.
TEST(FilterResponse, LimitsNumbersOutsideTheirRanges) {
    const double nan = std::nan("");
    const Side cases[][2] = {
        {{.type = FilterType::SinglePole, .bw = nan}, {.type = FilterType::SinglePole, .bw = 0.1}},
        {{.type = FilterType::SinglePole, .bw = 1e300}, {.type = FilterType::SinglePole, .bw = 6}},
        {{.type = FilterType::SteepCutoff, .bw = -3}, {.type = FilterType::SteepCutoff, .bw = 0.1}},
        {{.type = FilterType::RC, .eb = 0}, {.type = FilterType::RC, .eb = 1}},
        {{.type = FilterType::RootRC, .eb = 1000}, {.type = FilterType::RootRC, .eb = 100}},
    };
    for (const auto& [given, limited] : cases)
        EXPECT_EQ(TxResponse(given), TxResponse(limited)) << test::IdName(given.type);
}

// A symbol rate that is not a positive finite number works as 1.0; extreme ones keep every
// value finite.
TEST(FilterResponse, OddSymbolRatesGiveDefinedResponses) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const FilterType type : {FilterType::SteepCutoff, FilterType::SinglePole}) {
        const Signal atOne = TxResponse({.type = type, .bw = 0.7}, 1.0);
        for (const double baud : {0.0, -2.0, inf, std::nan("")}) {
            EXPECT_EQ(TxResponse({.type = type, .bw = 0.7}, baud), atOne)
                << test::IdName(type) << baud;
        }
        for (const double baud : {1e-300, 1e300, std::numeric_limits<double>::max()}) {
            const Signal r = RxResponse({.type = type, .bw = 6}, baud);
            for (int i = 0; i < kSignalFloats; ++i) {
                ASSERT_TRUE(std::isfinite(r[i])) << test::IdName(type) << " " << baud << " " << i;
            }
        }
    }
}

}  // namespace
}  // namespace linelab
