#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "display/SpectrumAverage.h"

namespace linelab {
namespace {

// One panel's average and count with the shared memory trace, as the tick keeps them.
struct AveragedPanel {
    SpectrumAverage average{};
    int32_t count = 0;
    SpectrumAverage memory{};
    bool stored = false;

    void Add(const Signal& run, MemoryBox box = {}, double rate = 1.0) {
        UpdateMemoryTrace(box, average, memory, stored);
        AccumulateSpectrum(run, average, count, rate);
    }
};

// Every bin k carries real part re and imaginary part im.
Signal FlatRun(double re, double im = 0) {
    Signal s{};
    for (int k = 0; k < kPoints; ++k) {
        s[2 * k] = re;
        s[2 * k + 1] = im;
    }
    return s;
}

Signal Wobbly(double phase) {
    Signal s{};
    for (int m = 0; m < kSignalFloats; ++m)
        s[m] = 3 * std::sin(0.37 * m + phase);
    return s;
}

TEST(SpectrumAverage, FirstRunAfterARestartIsThatRunsPowerThenAMean) {
    AveragedPanel p;
    p.average.fill(7.0);
    const Signal a = Wobbly(0), b = Wobbly(1);
    p.Add(a);
    EXPECT_EQ(p.count, 1);
    for (int i = 0; i < 512; ++i) {
        EXPECT_DOUBLE_EQ(p.average[i], a[2 * i] * a[2 * i] + a[2 * i + 1] * a[2 * i + 1]);
    }
    p.Add(b);
    EXPECT_EQ(p.count, 2);
    for (int i = 0; i < 512; ++i) {
        const double pa = a[2 * i] * a[2 * i] + a[2 * i + 1] * a[2 * i + 1];
        const double pb = b[2 * i] * b[2 * i] + b[2 * i + 1] * b[2 * i + 1];
        EXPECT_NEAR(p.average[i], (pa + pb) / 2, 1e-12);
    }
    EXPECT_EQ(p.average[600], 7.0);  // beyond the plotted points nothing is averaged
}

struct BinCase {
    double rate;
    int aPerPoint;  // element a = aPerPoint * i, element b = a + 1

    friend void PrintTo(const BinCase& c, std::ostream* os) { *os << "rate " << c.rate; }
};

class SpectrumBins : public ::testing::TestWithParam<BinCase> {};

TEST_P(SpectrumBins, EachPointTakesItsPairOfElements) {
    const auto [rate, aPerPoint] = GetParam();
    Signal roots{};  // element m squared is m
    for (int m = 0; m < kSignalFloats; ++m)
        roots[m] = std::sqrt(m);
    AveragedPanel p;
    p.Add(roots, {}, rate);
    for (int i = 0; i < 512; ++i) {
        const double a = aPerPoint * i;
        EXPECT_NEAR(p.average[i], a + (a + 1), 1e-9 * (a + 1)) << "point " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, SpectrumBins,
                         ::testing::Values(BinCase{1.0, 2}, BinCase{2.0, 1}, BinCase{0.5, 4}));

TEST(SpectrumAverage, MemoryTraceIsTheAverageBeforeTheRunAndStaysWhileChecked) {
    AveragedPanel p;
    p.Add(FlatRun(10), {true, false});  // unchecked: nothing stored
    EXPECT_FALSE(p.stored);
    const SpectrumAverage before = p.average;

    p.Add(FlatRun(1000), {true, true});
    ASSERT_TRUE(p.stored);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(p.memory[i], before[i]);  // taken before this run

    p.Add(FlatRun(5000), {true, true});
    EXPECT_EQ(p.memory[5], before[5]);  // frozen while the average moves
    EXPECT_NE(p.average[5], before[5]);

    p.Add(FlatRun(10), {true, false});
    EXPECT_FALSE(p.stored);
}

TEST(SpectrumAverage, HiddenMemorySwitchDropsTheCopy) {
    AveragedPanel p;
    p.Add(FlatRun(1), {true, true});
    ASSERT_TRUE(p.stored);
    p.Add(FlatRun(2), {false, true});
    EXPECT_FALSE(p.stored);
    p.Add(FlatRun(3), {true, true});  // shown again, still checked: a new copy of today's average
    ASSERT_TRUE(p.stored);
    EXPECT_EQ(p.memory[0], 2.5);  // the mean of 1 and 4 as it stood before this run
}

TEST(SpectrumAverage, SaturatedCountKeepsAMean) {
    AveragedPanel p;
    p.count = INT32_MAX;
    p.average.fill(2.0);
    p.Add(FlatRun(1, 1));  // power 2 everywhere: a mean of twos stays two
    EXPECT_EQ(p.count, INT32_MAX);
    EXPECT_EQ(p.average[17], 2.0);
    p.Add(FlatRun(0));
    EXPECT_EQ(p.count, INT32_MAX);
    EXPECT_LT(p.average[17], 2.0);
    EXPECT_GT(p.average[17], 1.99);

    AveragedPanel odd;
    odd.count = -40;  // not a count: restarts the mean
    odd.average.fill(123);
    odd.Add(FlatRun(3));
    EXPECT_EQ(odd.count, 1);
    EXPECT_EQ(odd.average[3], 9.0);
}

TEST(SpectrumAverage, OddRatesReadInsideTheRun) {
    Signal ramp{};
    for (int m = 0; m < kSignalFloats; ++m)
        ramp[m] = m;
    AveragedPanel one;
    one.Add(ramp, {}, 1.0);
    for (double rate : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        AveragedPanel p;
        p.Add(ramp, {}, rate);
        EXPECT_EQ(p.average[100], one.average[100]) << rate;
    }
    AveragedPanel slow;
    slow.Add(ramp, {}, 1e-300);
    EXPECT_EQ(slow.average[0], 1.0);                  // elements 0 and 1
    EXPECT_EQ(slow.average[1], 2 * 4095.0 * 4095.0);  // both held at the last element
}

}  // namespace
}  // namespace linelab
