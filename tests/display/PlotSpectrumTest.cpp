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

constexpr int kW = 3750;
constexpr int kH = 2700;

// One panel with its average and the memory trace (drawn when stored).
struct Panel {
    SpectrumAverage average{};
    SpectrumAverage memory{};
    bool stored = false;
    RecordingCanvas canvas{kW, kH};

    void Plot(SpectrumView view, int32_t colour = 0) {
        PlotSpectrum(average, stored ? &memory : nullptr, canvas, colour, view);
    }
    std::vector<DrawnLine> InColour(int32_t colour) const {
        std::vector<DrawnLine> out;
        for (const DrawnLine& l : canvas.lines) {
            if (l.colour == colour) out.push_back(l);
        }
        return out;
    }
};

SpectrumView Linear(int range = 151) {
    return SpectrumView{true, range};
}
SpectrumView Decibels(int range = 151) {
    return SpectrumView{false, range};
}

SpectrumAverage Flat(double power) {
    SpectrumAverage a{};
    a.fill(power);
    return a;
}

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
    p.average = Flat(amplitude * amplitude);
    p.Plot(linear ? Linear(range) : Decibels(range), 255);
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

TEST(SpectrumTest, StoredMemoryIsDrawnInDarkGreenBehindTheAverage) {
    Panel p;
    p.average = Flat(10);
    p.Plot(Decibels());
    EXPECT_TRUE(p.InColour(kDarkGreen).empty());

    p.memory = Flat(100);
    p.average = Flat(5000);
    p.stored = true;
    p.Plot(Decibels());
    const auto green = p.InColour(kDarkGreen);
    ASSERT_EQ(green.size(), 512u);  // one pixel wide
    EXPECT_EQ(green[0].x1, 0);
    EXPECT_EQ(green[0].y1, kH);
    EXPECT_NEAR(green[5].y2, kH - 10 * std::log10(100.0) * 0.8 * kH / 50, 1e-6);
    EXPECT_EQ(p.canvas.lines.front().colour, kDarkGreen);  // drawn behind the live trace
    EXPECT_EQ(p.InColour(kBlack).size(), 1024u);
}

TEST(SpectrumTest, HugeAndUndefinedValuesStayInsideTheMargin) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double values[] = {1e308,  0,     kInf, -1e308, std::numeric_limits<double>::quiet_NaN(),
                             1e-320, -kInf, 5};
    SpectrumAverage wild{};
    for (std::size_t m = 0; m < wild.size(); ++m)
        wild[m] = values[m % 8];
    for (bool linear : {true, false}) {
        for (int range : {1, 151, 200}) {
            Panel p;
            const SpectrumView view = linear ? Linear(range) : Decibels(range);
            p.average = wild;
            p.memory = wild;
            p.stored = true;
            p.Plot(view);
            EXPECT_FALSE(p.canvas.lines.empty());
            EXPECT_TRUE(p.canvas.AllWithinMargin()) << linear << " " << range;
        }
    }
}

TEST(SpectrumTest, PanelWithoutAreaDrawsNothing) {
    const SpectrumAverage average = Flat(4);
    RecordingCanvas empty(0, 0);
    PlotSpectrum(average, &average, empty, 0, Decibels());
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_EQ(empty.clears, 1);
}

}  // namespace
}  // namespace linelab
