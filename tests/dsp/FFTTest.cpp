#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

#include "common/Signal.h"
#include "dsp/FFTButterflies.h"
#include "dsp/nrFFT.h"
#include "tests/dsp/RecordingReporter.h"

namespace linelab {

// Readable case names; internal linkage keeps it to this file.
static void PrintTo(FFTVariant v, std::ostream* os) {
    *os << (v == FFTVariant::Plain    ? "plain"
            : v == FFTVariant::Wide   ? "wide"
            : v == FFTVariant::Widest ? "widest"
                                      : "auto");
}

namespace {

std::vector<double> RandomData(int32_t points, unsigned seed) {
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> v(2 * static_cast<std::size_t>(points));
    for (double& x : v)
        x = dist(gen);
    return v;
}

// The direct sum, in long double, with the transform's sign and scaling.
std::vector<std::complex<long double>> DirectDft(const std::vector<double>& data, bool inverse) {
    const std::size_t n = data.size() / 2;
    const long double pi = std::acos(-1.0L);
    const long double sign = inverse ? -1.0L : 1.0L;
    std::vector<std::complex<long double>> root(n);
    for (std::size_t r = 0; r < n; ++r) {
        const long double angle = sign * 2 * pi * static_cast<long double>(r) / n;
        root[r] = {std::cos(angle), std::sin(angle)};
    }
    std::vector<std::complex<long double>> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<long double> sum = 0;
        for (std::size_t t = 0; t < n; ++t) {
            sum += std::complex<long double>(data[2 * t], data[2 * t + 1]) * root[(t * k) % n];
        }
        out[k] = inverse ? sum / static_cast<long double>(n) : sum;
    }
    return out;
}

// The classic routine written out step by step with 1-based positions, as the reference
// the fast version must match bit for bit.
void LiteralFFT(std::vector<double>& v, int32_t lCount, bool bInverse) {
    double* data = v.data() - 1;  // data[1] is the first element
    const double s = bInverse ? -1.0 : 1.0;
    const int64_t n = 2 * static_cast<int64_t>(lCount);
    int64_t j = 1;
    for (int64_t i = 1; i < n; i += 2) {
        if (j > i) {
            std::swap(data[j], data[i]);
            std::swap(data[j + 1], data[i + 1]);
        }
        int64_t m = lCount;
        while (m >= 2 && j > m) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
    for (int64_t mmax = 2; n > mmax;) {
        const int64_t istep = 2 * mmax;
        const double theta = 6.28318530717959 / static_cast<double>(mmax);
        const double wtemp = s * std::sin(theta / 2);
        const double wpr = -2.0 * wtemp * wtemp;
        const double wpi = s * std::sin(theta);
        double wr = 1.0;
        double wi = 0.0;
        for (int64_t m = 1; m < mmax; m += 2) {
            for (int64_t i = m; i <= n; i += istep) {
                const int64_t jj = i + mmax;
                const double tr = wr * data[jj] - wi * data[jj + 1];
                const double ti = wr * data[jj + 1] + wi * data[jj];
                data[jj] = data[i] - tr;
                data[jj + 1] = data[i + 1] - ti;
                data[i] += tr;
                data[i + 1] += ti;
            }
            const double w0 = wr;
            wr = wr * wpr - wi * wpi + wr;
            wi = wi * wpr + w0 * wpi + wi;
        }
        mmax = istep;
    }
    if (bInverse) {
        for (int64_t i = 1; i <= n; ++i)
            data[i] /= lCount;
    }
}

class FFTAgainstDirectSum : public ::testing::TestWithParam<std::tuple<int32_t, bool>> {};

TEST_P(FFTAgainstDirectSum, AgreesToTwelveDigits) {
    const auto [points, inverse] = GetParam();
    std::vector<double> data = RandomData(points, 11);
    const auto expected = DirectDft(data, inverse);
    FFT(data, points, inverse, false);

    long double worst = 0;
    long double largest = 0;
    for (int32_t k = 0; k < points; ++k) {
        const std::complex<long double> got(data[2 * k], data[2 * k + 1]);
        worst = std::max(worst, std::abs(got - expected[k]));
        largest = std::max(largest, std::abs(expected[k]));
    }
    EXPECT_LT(worst / largest, 1e-12L);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FFTAgainstDirectSum,
                         ::testing::Combine(::testing::Values(2, 4, 8, 64, 512, 2048),
                                            ::testing::Bool()));

class FFTBitExact : public ::testing::TestWithParam<std::tuple<int32_t, bool, FFTVariant>> {};

// Covers the sizes the tables serve and the larger ones computed on the fly, in both builds
// of the butterflies.
TEST_P(FFTBitExact, MatchesTheLiteralRoutine) {
    const auto [points, inverse, variant] = GetParam();
    if (variant == FFTVariant::Wide && !FFTWideAvailable()) {
        GTEST_SKIP() << "no 256-bit vectors on this processor";
    }
    if (variant == FFTVariant::Widest && !FFTWidestAvailable()) {
        GTEST_SKIP() << "no 512-bit vectors on this processor";
    }
    std::vector<double> fast = RandomData(points, 5);
    std::vector<double> literal = fast;
    FFTWithVariant(variant, fast, points, inverse, false);
    LiteralFFT(literal, points, inverse);
    ASSERT_EQ(fast.size(), literal.size());
    EXPECT_EQ(std::memcmp(fast.data(), literal.data(), fast.size() * sizeof(double)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FFTBitExact,
    ::testing::Combine(::testing::Values(2, 4, 8, 16, 32, 128, 1024, 2048, 4096, 8192),
                       ::testing::Bool(),
                       ::testing::Values(FFTVariant::Plain, FFTVariant::Wide, FFTVariant::Widest)));

TEST(FFT, RoundTripReturnsTheInput) {
    const std::vector<double> input = RandomData(kPoints, 3);
    std::vector<double> data = input;
    FFT(data, kPoints, false, false);
    FFT(data, kPoints, true, false);
    for (std::size_t i = 0; i < input.size(); ++i)
        EXPECT_NEAR(data[i], input[i], 1e-14);
}

TEST(FFT, UnitImpulseGivesOneInEveryBin) {
    Signal data{};
    data[0] = 1.0;
    FFT(data, kPoints, false, false);
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_DOUBLE_EQ(data[2 * k], 1.0) << k;
        EXPECT_DOUBLE_EQ(data[2 * k + 1], 0.0) << k;
    }
}

// The forward direction has the positive exponent: a tone turning backwards lands in bin 5,
// one turning forwards in bin N - 5.
TEST(FFT, ToneLandsInTheBinOfItsSign) {
    for (const double turn : {-1.0, 1.0}) {
        Signal data{};
        for (int t = 0; t < kPoints; ++t) {
            const double angle = turn * 2 * std::numbers::pi * 5 * t / kPoints;
            data[2 * t] = std::cos(angle);
            data[2 * t + 1] = std::sin(angle);
        }
        FFT(data, kPoints, false, false);
        const int peak = turn < 0 ? 5 : kPoints - 5;
        for (int k = 0; k < kPoints; ++k) {
            const double expected = k == peak ? kPoints : 0.0;
            EXPECT_NEAR(data[2 * k], expected, 1e-9) << k;
            EXPECT_NEAR(data[2 * k + 1], 0.0, 1e-9) << k;
        }
    }
}

TEST(FFT, LeavesTheElementBeyondTheCountAlone) {
    for (const bool inverse : {false, true}) {
        Signal data{};
        for (int i = 0; i < kSignalFloats; ++i)
            data[i] = std::sin(i * 0.37);
        data[kSignalFloats] = 123.25;
        FFT(data, kPoints, inverse, false);
        EXPECT_EQ(data[kSignalFloats], 123.25);
    }
}

class FFTRejectsCount : public ::testing::TestWithParam<int32_t> {};

TEST_P(FFTRejectsCount, ReportsAndLeavesTheDataAlone) {
    const int32_t count = GetParam();
    std::vector<double> data = RandomData(8, 2);
    const std::vector<double> before = data;
    RecordingReporter reporter;
    // The buffer is too short for the large counts: the count check must come first.
    FFT(data, count, false, false, &reporter);
    EXPECT_EQ(data, before);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], Fault::TransformLength);
}

INSTANTIATE_TEST_SUITE_P(NotPowersOfTwo, FFTRejectsCount,
                         ::testing::Values(1, 3, 0, -4, 6, 2047, 2049, (1 << 30) + 1,
                                           std::numeric_limits<int32_t>::max(),
                                           std::numeric_limits<int32_t>::min()));

TEST(FFT, SkipDoesNothingWhateverTheCount) {
    for (const int32_t count : {3, 0, -4, 8}) {
        std::vector<double> data = RandomData(8, 4);
        const std::vector<double> before = data;
        RecordingReporter reporter;
        FFT(data, count, false, true, &reporter);
        EXPECT_EQ(data, before) << count;
        EXPECT_TRUE(reporter.messages.empty()) << count;
    }
}

TEST(FFT, TooShortABufferIsLeftAlone) {
    std::vector<double> data = RandomData(4, 6);  // room for 4 points, asked for 8
    const std::vector<double> before = data;
    FFT(data, 8, false, false);
    EXPECT_EQ(data, before);
}

}  // namespace
}  // namespace linelab
