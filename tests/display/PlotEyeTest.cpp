#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "RecordingCanvas.h"
#include "common/Colours.h"
#include "display/Plots.h"

namespace linelab {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

// The transmit eye's size sets the trace scale; the target panel here is deliberately of
// another size so that threshold and sampling lines show which size they use.
constexpr int kTxW = 3300;
constexpr int kTxH = 2000;
constexpr int kPanelW = 4500;
constexpr int kPanelH = 2700;

// Real part of sample m is m / 1000; imaginary parts are junk that must never be drawn.
Signal Ramp() {
    Signal s{};
    for (int m = 0; m < kPoints; ++m) {
        s[2 * m] = m / 1000.0;
        s[2 * m + 1] = 1e9;
    }
    return s;
}

EyeView View(double rate, bool pam4 = false, int sample = 0) {
    return EyeView{kTxW, kTxH, sample, pam4, rate};
}

// A sample value of +-scale lies 35 % of the transmit eye's height above or below the middle.
double ExpectedY(double v, double scale) {
    return kTxH / 2.0 - v / scale * 0.35 * kTxH;
}
// Trace step j lies at (j - 8) / r, the panel spanning 33 * rate samples of the eye's width.
double ExpectedX(double j, double rate) {
    return (j - 8) * kTxW / (33 * rate);
}

struct RateCase {
    double rate;
    bool pam4;
    int n;  // steps per trace minus one

    friend void PrintTo(const RateCase& c, std::ostream* os) {
        *os << "rate " << c.rate << (c.pam4 ? ", 4-PAM" : "");
    }
};

class EyeRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(EyeRate, SixtyThreeTracesStartingOneSlotApart) {
    const auto [rate, pam4, n] = GetParam();
    const Signal ramp = Ramp();
    const Thresholds none{};
    RecordingCanvas c(kPanelW, kPanelH, 12345);
    PlotEye(ramp, c, 1.5, none, false, View(rate, pam4));
    ASSERT_EQ(c.lines.size(), 63u * (n + 1));
    const int o = pam4 ? 16 : 8;
    for (int trace : {0, 31, 62}) {
        const int k = 33 + trace;
        const DrawnLine& first = c.lines[trace * (n + 1)];
        const DrawnLine& last = c.lines[trace * (n + 1) + n];
        EXPECT_NEAR(first.x1, ExpectedX(0, rate), 1e-9);
        EXPECT_NEAR(first.x2, ExpectedX(1, rate), 1e-9);
        EXPECT_NEAR(first.y1, ExpectedY((16 * k + o) / 1000.0, 1.5), 1e-9);
        EXPECT_NEAR(first.y2, ExpectedY((16 * k + o + 1) / 1000.0, 1.5), 1e-9);
        EXPECT_NEAR(last.x2, ExpectedX(n + 1, rate), 1e-9);
        EXPECT_NEAR(last.y2, ExpectedY((16 * k + o + n + 1) / 1000.0, 1.5), 1e-9);
    }
    for (const DrawnLine& l : c.lines)
        EXPECT_EQ(l.colour, 12345);  // the panel's own colour
    EXPECT_EQ(c.clears, 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, EyeRate,
                         ::testing::Values(RateCase{1.0, false, 49}, RateCase{2.0, false, 97},
                                           RateCase{1.2, false, 59}, RateCase{0.5, true, 25},
                                           RateCase{1.2 / 2, true, 30}, RateCase{1.0, true, 49}));

TEST(EyeTest, ThresholdsAreGreenPairsAcrossTheTargetPanel) {
    const Signal ramp = Ramp();
    const Thresholds t{0.75, -0.75, 1.5, 0, 99};
    RecordingCanvas c(kPanelW, kPanelH);
    PlotEye(ramp, c, 1.5, t, true, View(1.0));
    ASSERT_GE(c.lines.size(), 10u);
    for (int i = 0; i < 4; ++i) {
        const double y = ExpectedY(t[i], 1.5);
        for (int side = 0; side < 2; ++side) {
            const DrawnLine& l = c.lines[2 * i + side];
            const double offset = side == 0 ? -5 : 5;
            EXPECT_EQ(l.colour, kGreen);
            EXPECT_EQ(l.x1, 0);
            EXPECT_EQ(l.x2, kPanelW);
            EXPECT_NEAR(l.y1, y + offset, 1e-9);
            EXPECT_NEAR(l.y2, y + offset, 1e-9);
        }
    }
    // Half the scale factor above the middle is 17.5 % of the height.
    EXPECT_NEAR(c.lines[0].y1 + 5, kTxH * (0.5 - 0.175), 1e-9);
    for (std::size_t i = 10; i < c.lines.size(); ++i)
        EXPECT_EQ(c.lines[i].colour, kBlue);
}

// The window paints EyeMarkerLines over later traces: they must be the green lines the
// routine draws, clipped alike, wherever the thresholds and the instant fall.
TEST(EyeTest, MarkerLinesAreTheGreenLinesDrawn) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        EyeView view;
        double scale;
        Thresholds t;
        int width, height;
    };
    const Case cases[] = {{View(1.0), 1.5, {0.75, -0.75, 1.5, 0, 0}, kPanelW, kPanelH},
                          {View(2.0, false, 32), 1.0, {1e300, -1e300, nan, 3, 0}, kPanelW, 900},
                          {View(0.5, true, -32), 2.5, {0.2, -0.2, 0.6, -0.6, 0}, 900, kPanelH},
                          {View(1.0), 1.0, {0, 0, 0, 0, 0}, 0, kPanelH}};
    for (const Case& k : cases) {
        RecordingCanvas c(k.width, k.height);
        PlotEye(Ramp(), c, k.scale, k.t, true, k.view);
        std::vector<Segment> green;
        for (const DrawnLine& l : c.lines)
            if (l.colour == kGreen) green.push_back({l.x1, l.y1, l.x2, l.y2});
        const auto markers = EyeMarkerLines(k.view, k.scale, k.t, k.width, k.height);
        ASSERT_EQ(markers.size(), green.size()) << k.width << "x" << k.height;
        for (std::size_t i = 0; i < green.size(); ++i) {
            EXPECT_EQ(markers[i].x1, green[i].x1);
            EXPECT_EQ(markers[i].y1, green[i].y1);
            EXPECT_EQ(markers[i].x2, green[i].x2);
            EXPECT_EQ(markers[i].y2, green[i].y2);
        }
    }
}

struct SamplingCase {
    double rate;
    bool pam4;
    int slider;
    double centre;  // the sampling instant's x for this case, worked out by hand

    friend void PrintTo(const SamplingCase& c, std::ostream* os) {
        *os << "rate " << c.rate << (c.pam4 ? ", 4-PAM" : "") << ", slider " << c.slider;
    }
};

class SamplingInstant : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(SamplingInstant, TwoGreenLinesAroundTheInstantTheCalipersShare) {
    const auto [rate, pam4, slider, centre] = GetParam();
    const Signal ramp = Ramp();
    RecordingCanvas c(kPanelW, kPanelH);
    PlotEye(ramp, c, 1.5, Thresholds{}, true, View(rate, pam4, slider));
    ASSERT_GE(c.lines.size(), 10u);
    const DrawnLine& left = c.lines[8];
    const DrawnLine& right = c.lines[9];
    EXPECT_NEAR(left.x1, centre - 5, 1e-6);
    EXPECT_NEAR(left.x2, centre - 5, 1e-6);
    EXPECT_NEAR(right.x1, centre + 5, 1e-6);
    EXPECT_EQ(left.y1, 0);
    EXPECT_EQ(left.y2, kPanelH);
    EXPECT_EQ(right.colour, kGreen);
    // The calipers stand where the markers are drawn.
    EXPECT_NEAR(EyeSamplingX(View(rate, pam4, slider), kPanelW).value(), centre, 1e-6);
}

// The slider moves the instant by half a sample per step: one sample is W / (33 * rate).
constexpr double kSample1 = kTxW / 33.0;
INSTANTIATE_TEST_SUITE_P(
    Rates, SamplingInstant,
    ::testing::Values(SamplingCase{1.0, false, 0, -0.5 * kSample1 + kPanelW / 2.0},
                      SamplingCase{1.0, false, 10, 4.5 * kSample1 + kPanelW / 2.0},
                      SamplingCase{2.0, false, 0, -1.0 * kSample1 / 2 + kPanelW / 2.0},
                      SamplingCase{2.0, false, -6, -4.0 * kSample1 / 2 + kPanelW / 2.0},
                      SamplingCase{0.5, true, 0, -0.25 * kSample1 * 2 + kPanelW / 2.0},
                      SamplingCase{1.0, true, 0, -0.5 * kSample1 + kPanelW * 3 / 4.0},
                      SamplingCase{1.2 / 2, true, 4, 1.7 * kSample1 / 0.6 + kPanelW * 5 / 12.0},
                      SamplingCase{0.5, false, 0, -0.25 * kSample1 * 2 + kPanelW}));

TEST(EyeTest, EachCallAddsTheSameTracesAndClearsNothing) {
    const Signal ramp = Ramp();
    RecordingCanvas c(kPanelW, kPanelH);
    PlotEye(ramp, c, 1.5, Thresholds{}, false, View(1.0));
    const auto once = c.lines;
    PlotEye(ramp, c, 1.5, Thresholds{}, false, View(1.0));
    ASSERT_EQ(c.lines.size(), 2 * once.size());
    EXPECT_EQ(c.clears, 0);
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(c.lines[once.size() + i].y2, once[i].y2);
    }
}

TEST(EyeTest, HugeAndUndefinedSamplesStayInsideTheMargin) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    Signal wild{};
    const double values[] = {1e308, -1e308, kInf, -kInf, kNaN, 0.5, -0.5, 1e300};
    for (std::size_t m = 0; m < wild.size(); ++m)
        wild[m] = values[m % 8];
    const Thresholds t{1e308, -kInf, kNaN, 0.25, 0};
    for (double scale : {1.4142, 0.0, 1e-300}) {
        RecordingCanvas c(kPanelW, kPanelH);
        PlotEye(wild, c, scale, t, true, View(1.0));
        EXPECT_FALSE(c.lines.empty());
        EXPECT_TRUE(c.AllWithinMargin()) << "scale " << scale;
    }
}

TEST(EyeTest, OddSymbolRatesAreBoundedOrTakenAsOne) {
    const Signal ramp = Ramp();
    RecordingCanvas asOne(kPanelW, kPanelH);
    PlotEye(ramp, asOne, 1.5, Thresholds{}, false, View(1.0));
    for (double rate : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
        RecordingCanvas c(kPanelW, kPanelH);
        PlotEye(ramp, c, 1.5, Thresholds{}, false, View(rate));
        ASSERT_EQ(c.lines.size(), asOne.lines.size()) << rate;
        EXPECT_EQ(c.lines.back().y2, asOne.lines.back().y2);
    }
    // Very high rates make traces longer than the run: they end at its last sample.
    for (double rate : {1e300, 40.0}) {
        RecordingCanvas c(kPanelW, kPanelH);
        PlotEye(ramp, c, 1.5, Thresholds{}, true, View(rate, true, 32));
        ASSERT_FALSE(c.lines.empty());
        EXPECT_NEAR(c.lines.back().y2, ExpectedY((kPoints - 1) / 1000.0, 1.5), 1e-9) << rate;
        EXPECT_TRUE(c.AllWithinMargin()) << rate;
    }
    RecordingCanvas slow(kPanelW, kPanelH);
    PlotEye(ramp, slow, 1.5, Thresholds{}, true, View(1e-300, true, -32));
    EXPECT_TRUE(slow.AllWithinMargin());
}

TEST(EyeTest, PanelsWithoutAreaGetNothing) {
    const Signal ramp = Ramp();
    RecordingCanvas target(kPanelW, kPanelH);
    PlotEye(ramp, target, 1.5, Thresholds{}, true, EyeView{0, kTxH, 0, false, 1.0});
    PlotEye(ramp, target, 1.5, Thresholds{}, true, EyeView{kTxW, 0, 0, false, 1.0});
    EXPECT_TRUE(target.lines.empty());
    RecordingCanvas empty(0, 0);
    PlotEye(ramp, empty, 1.5, Thresholds{}, true, View(1.0));
    EXPECT_TRUE(empty.lines.empty());
}

}  // namespace
}  // namespace linelab
