#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "common/TextNumber.h"
#include "common/Uniform.h"
#include "receiver/Multipath.h"
#include "tests/CaseName.h"

namespace linelab::test {
namespace {

Signal RandomSignal(uint64_t seed) {
    Uniform rng(seed);
    Signal d{};
    for (int i = 0; i < kSignalFloats; ++i)
        d[i] = 2 * rng.Next() - 1;
    d[kSignalFloats] = 99;  // never part of the signal
    return d;
}

struct DelayCase {
    const char* text;
    int samples;

    friend void PrintTo(const DelayCase& c, std::ostream* os) { *os << ShortText(c.text); }
};

class EchoDelayTest : public ::testing::TestWithParam<DelayCase> {};

TEST_P(EchoDelayTest, RoundsToWholeSamplesWithinTheRun) {
    EXPECT_EQ(EchoDelay(Val(GetParam().text)), GetParam().samples);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EchoDelayTest,
    ::testing::Values(DelayCase{"0.0", 0}, DelayCase{"1.0", 16}, DelayCase{"1.5", 24},
                      DelayCase{"0.2", 3},  // 3.7 rounds down: Int(3.2 + 0.5)
                      DelayCase{"0.03", 0}, DelayCase{"0.04", 1}, DelayCase{"abc", 0},
                      DelayCase{"-1", 0}, DelayCase{"-1e400", 0}, DelayCase{"127.96", 2047},
                      DelayCase{"128", 2048}, DelayCase{"1e9", 2048}, DelayCase{"1e400", 2048}));

TEST(EchoGain, PercentOfTheDirectPath) {
    EXPECT_EQ(EchoGain(Val("40")), 0.4);
    EXPECT_EQ(EchoGain(Val("0")), 0.0);
    EXPECT_EQ(EchoGain(Val("-40")), 0.0);
    EXPECT_EQ(EchoGain(Val("none")), 0.0);
    EXPECT_EQ(EchoGain(Val("1e400")), kMaxEchoGain);
}

// The echo reads the waveform as it stood before the loop, m samples later, real parts only.
void ExpectEcho(const Signal& before, const Signal& after, double a, int m) {
    for (int n = 0; n < kPoints; ++n) {
        const double expected =
            n + m < kPoints ? before[2 * n] + a * before[2 * (n + m)] : before[2 * n];
        ASSERT_EQ(after[2 * n], expected) << "sample " << n;
        ASSERT_EQ(after[2 * n + 1], before[2 * n + 1]) << "sample " << n;
    }
    EXPECT_EQ(after[kSignalFloats], before[kSignalFloats]);
}

// The echo the form model reads from the two boxes' texts.
Echo EchoOf(const char* magnitude, const char* delay) {
    return {EchoGain(Val(magnitude)), EchoDelay(Val(delay))};
}

struct EchoCase {
    const char* magnitude;
    const char* delay;
    double gain;
    int samples;

    friend void PrintTo(const EchoCase& c, std::ostream* os) {
        *os << "gain " << ShortText(c.magnitude) << ", delay " << ShortText(c.delay);
    }
};

class EchoTest : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoTest, AddsTheAdvancedCopy) {
    const EchoCase c = GetParam();
    const Signal before = RandomSignal(7);
    Signal after = before;
    ApplyMultipath(after, EchoOf(c.magnitude, c.delay));
    ExpectEcho(before, after, c.gain, c.samples);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EchoTest,
    ::testing::Values(EchoCase{"40", "1.0", 0.4, 16}, EchoCase{"40", "1.5", 0.4, 24},
                      EchoCase{"100", "0.2", 1.0, 3}, EchoCase{"0", "1.0", 0.0, 0},
                      EchoCase{"60", "-5", 0.6, 0}, EchoCase{"60", "1e300", 0.6, 2048},
                      EchoCase{"80", "127.9", 0.8, 2046}));

TEST(Echo, HugeMagnitudeKeepsSamplesFinite) {
    Signal d{};
    for (int i = 0; i < kSignalFloats; ++i)
        d[i] = 1e200;
    for (int run = 0; run < 3; ++run)
        ApplyMultipath(d, EchoOf("1e400", "0"));
    for (int i = 0; i < kSignalFloats; ++i)
        ASSERT_TRUE(std::isfinite(d[i])) << i;
}

}  // namespace
}  // namespace linelab::test
