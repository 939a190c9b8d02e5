#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "RecordingCanvas.h"
#include "display/Plots.h"
#include "ports/Host.h"

namespace linelab {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

constexpr int kW = 3750;
constexpr int kH = 2700;

// One panel with its average, count and the shared memory trace.
struct Panel {
    SpectrumAverage average{};
    int32_t count = 0;
    SpectrumAverage memory{};
    bool stored = false;
    RecordingCanvas canvas{kW, kH};

    void Plot(const Signal& run, SpectrumView view, int32_t colour = 0) {
        PlotSpectrum(run, average, count, canvas, colour, view, MemoryTrace{memory, stored});
    }
    std::vector<DrawnLine> InColour(int32_t colour) const {
        std::vector<DrawnLine> out;
        for (const DrawnLine& l : canvas.lines) {
            if (l.colour == colour) out.push_back(l);
        }
        return out;
    }
};

SpectrumView Linear(int range = 151, double rate = 1.0) {
    return SpectrumView{true, range, false, false, rate};
}
SpectrumView Decibels(int range = 151, double rate = 1.0) {
    return SpectrumView{false, range, false, false, rate};
}

// Every bin k carries real part re and imaginary part im.
Signal Flat(double re, double im = 0) {
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

TEST(SpectrumTest, FirstRunAfterARestartIsThatRunsPowerThenAMean) {
    Panel p;
    p.average.fill(7.0);
    const Signal a = Wobbly(0), b = Wobbly(1);
    p.Plot(a, Decibels());
    EXPECT_EQ(p.count, 1);
    for (int i = 0; i < 512; ++i) {
        EXPECT_DOUBLE_EQ(p.average[i], a[2 * i] * a[2 * i] + a[2 * i + 1] * a[2 * i + 1]);
    }
    p.Plot(b, Decibels());
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
    Panel p;
    p.Plot(roots, Linear(151, rate));
    for (int i = 0; i < 512; ++i) {
        const double a = aPerPoint * i;
        EXPECT_NEAR(p.average[i], a + (a + 1), 1e-9 * (a + 1)) << "point " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, SpectrumBins,
                         ::testing::Values(BinCase{1.0, 2}, BinCase{2.0, 1}, BinCase{0.5, 4}));

struct ScaleCase {
    bool linear;
    double amplitude;  // every point's power is amplitude squared
    int range;
    double y;  // where the trace lies

    friend void PrintTo(const ScaleCase& c, std::ostream* os) {
        *os << (c.linear ? "linear" : "dB") << ", amplitude " << c.amplitude << ", range "
            << c.range;
    }
};

class SpectrumScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SpectrumScale, PowerLandsAtItsHeight) {
    const auto [linear, amplitude, range, y] = GetParam();
    Panel p;
    p.Plot(Flat(amplitude), linear ? Linear(range) : Decibels(range), 255);
    const auto black = p.InColour(kBlack);
    ASSERT_EQ(black.size(), 1024u);  // the colour argument does not change the trace colour
    EXPECT_EQ(black[0].x1, 0);
    EXPECT_EQ(black[0].y1, kH);  // the trace starts at the bottom left corner
    EXPECT_EQ(black[1].y1, kH + 15);
    for (int i = 1; i < 512; ++i) {
        EXPECT_NEAR(black[2 * i].x2, i * (kW / 512.0), 1e-9);
        EXPECT_NEAR(black[2 * i].y2, y, 1e-6);
        EXPECT_NEAR(black[2 * i + 1].y2, y + 15, 1e-6);
        EXPECT_EQ(black[2 * i + 1].x1, black[2 * i].x1);
    }
}

// At range 151, 50 dB (or 16384 linear) fills the lower 80 %; range 200 compresses the plot
// fifty-fold, range 1 stretches it four-fold; ranges beyond the slider's are held to it.
INSTANTIATE_TEST_SUITE_P(Ranges, SpectrumScale,
                         ::testing::Values(ScaleCase{true, 128, 151, kH * 0.2},
                                           ScaleCase{true, 128, 200, kH*(1 - 0.8 / 50)},
                                           ScaleCase{true, 32, 1, kH*(1 - 0.8 * 4 / 16)},
                                           ScaleCase{true, 128, 500, kH*(1 - 0.8 / 50)},
                                           ScaleCase{true, 32, -7, kH*(1 - 0.8 * 4 / 16)},
                                           ScaleCase{false, std::sqrt(1e5), 151, kH * 0.2},
                                           ScaleCase{false, std::sqrt(10.0), 151, kH*(1 - 0.8 / 5)},
                                           ScaleCase{false, std::sqrt(1e5), 200, kH*(1 - 0.8 / 50)},
                                           ScaleCase{false, 0.0, 151, kH},
                                           ScaleCase{false, 1.0, 151, kH}));

TEST(SpectrumTest, MemoryTraceFreezesWhileTheAverageMoves) {
    Panel p;
    SpectrumView view = Decibels();
    view.memoryVisible = true;
    p.Plot(Flat(10), view);  // unchecked: nothing stored
    EXPECT_FALSE(p.stored);
    EXPECT_TRUE(p.InColour(kDarkGreen).empty());
    const SpectrumAverage before = p.average;

    view.memoryChecked = true;
    p.Plot(Flat(1000), view);
    ASSERT_TRUE(p.stored);
    for (int i = 0; i < 1024; ++i)
        EXPECT_EQ(p.memory[i], before[i]);  // taken before this run
    const auto green = p.InColour(kDarkGreen);
    ASSERT_EQ(green.size(), 512u);
    EXPECT_EQ(green[0].x1, 0);
    EXPECT_EQ(green[0].y1, kH);
    EXPECT_NEAR(green[5].y2, kH - 10 * std::log10(100.0) * 0.8 * kH / 50, 1e-6);

    const auto blackBefore = p.InColour(kBlack);
    p.Plot(Flat(5000), view);
    EXPECT_EQ(p.InColour(kDarkGreen).size(), 512u);
    EXPECT_EQ(p.InColour(kDarkGreen)[5].y2, green[5].y2);
    EXPECT_NE(p.InColour(kBlack)[10].y2, blackBefore[10].y2);
    EXPECT_EQ(p.canvas.lines.front().colour, kDarkGreen);  // drawn behind the live trace

    view.memoryChecked = false;
    p.Plot(Flat(10), view);
    EXPECT_FALSE(p.stored);
    EXPECT_TRUE(p.InColour(kDarkGreen).empty());
}

TEST(SpectrumTest, HiddenMemorySwitchDropsTheCopy) {
    Panel p;
    SpectrumView view = Linear();
    view.memoryVisible = true;
    view.memoryChecked = true;
    p.Plot(Flat(1), view);
    ASSERT_TRUE(p.stored);
    view.memoryVisible = false;
    p.Plot(Flat(2), view);
    EXPECT_FALSE(p.stored);
    EXPECT_TRUE(p.InColour(kDarkGreen).empty());
    view.memoryVisible = true;  // shown again, still checked: a new copy of today's average
    p.Plot(Flat(3), view);
    ASSERT_TRUE(p.stored);
    EXPECT_EQ(p.memory[0], 2.5);  // the mean of 1 and 4 as it stood before this run
}

TEST(SpectrumTest, SaturatedCountKeepsAMean) {
    Panel p;
    p.count = INT32_MAX;
    p.average.fill(2.0);
    p.Plot(Flat(1, 1), Linear());  // power 2 everywhere: a mean of twos stays two
    EXPECT_EQ(p.count, INT32_MAX);
    EXPECT_EQ(p.average[17], 2.0);
    p.Plot(Flat(0), Linear());
    EXPECT_EQ(p.count, INT32_MAX);
    EXPECT_LT(p.average[17], 2.0);
    EXPECT_GT(p.average[17], 1.99);

    Panel odd;
    odd.count = -40;  // not a count: restarts the mean
    odd.average.fill(123);
    odd.Plot(Flat(3), Linear());
    EXPECT_EQ(odd.count, 1);
    EXPECT_EQ(odd.average[3], 9.0);
}

TEST(SpectrumTest, HugeAndUndefinedValuesStayInsideTheMargin) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double values[] = {1e308,  0,     kInf, -1e308, std::numeric_limits<double>::quiet_NaN(),
                             1e-320, -kInf, 5};
    Signal wild{};
    for (std::size_t m = 0; m < wild.size(); ++m)
        wild[m] = values[m % 8];
    for (bool linear : {true, false}) {
        for (int range : {1, 151, 200}) {
            Panel p;
            SpectrumView view = linear ? Linear(range) : Decibels(range);
            view.memoryVisible = view.memoryChecked = true;
            p.Plot(wild, view);
            p.Plot(wild, view);
            EXPECT_FALSE(p.canvas.lines.empty());
            EXPECT_TRUE(p.canvas.AllWithinMargin()) << linear << " " << range;
        }
    }
}

TEST(SpectrumTest, OddRatesReadInsideTheRun) {
    Signal ramp{};
    for (int m = 0; m < kSignalFloats; ++m)
        ramp[m] = m;
    Panel one;
    one.Plot(ramp, Linear(151, 1.0));
    for (double rate : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        Panel p;
        p.Plot(ramp, Linear(151, rate));
        EXPECT_EQ(p.average[100], one.average[100]) << rate;
    }
    Panel slow;
    slow.Plot(ramp, Linear(151, 1e-300));
    EXPECT_EQ(slow.average[0], 1.0);                  // elements 0 and 1
    EXPECT_EQ(slow.average[1], 2 * 4095.0 * 4095.0);  // both held at the last element
}

TEST(SpectrumTest, PanelWithoutAreaStillAverages) {
    SpectrumAverage average{};
    int32_t count = 0;
    SpectrumAverage memory{};
    bool stored = false;
    RecordingCanvas empty(0, 0);
    PlotSpectrum(Flat(2), average, count, empty, 0, Decibels(), MemoryTrace{memory, stored});
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_EQ(empty.clears, 1);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(average[9], 4.0);
}

}  // namespace
}  // namespace linelab
