#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>
#include <vector>

#include "RecordingCanvas.h"
#include "common/Colours.h"
#include "display/Plots.h"

namespace linelab {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

constexpr int kWidth = 7500;  // 500 pixels
constexpr int kHeight = 600;  // 40 pixels
constexpr int kW12 = 625;     // slot width for 12 slots across

struct Strip {
    std::vector<int16_t> data{};
    std::vector<int16_t> compare{};  // empty: the same as data
    int16_t duty = 16;
    int16_t baud = 12;
    int16_t iMin = 0;
    int16_t iMax = 1;
    int zoom = 1;
    int width = kWidth;
    int height = kHeight;
};

RecordingCanvas Draw(Strip s) {
    if (s.data.size() < 256) s.data.resize(256, s.data.empty() ? 0 : s.data.back());
    if (s.compare.empty()) s.compare = s.data;
    s.compare.resize(s.data.size(), s.compare.back());
    RecordingCanvas canvas(s.width, s.height, 0);
    plotData(s.duty, canvas, s.baud, s.data, s.compare, kBlue, s.iMin, s.iMax, s.zoom);
    return canvas;
}

std::vector<DrawnLine> Where(const RecordingCanvas& c, auto predicate) {
    std::vector<DrawnLine> out;
    std::copy_if(c.lines.begin(), c.lines.end(), std::back_inserter(out), predicate);
    return out;
}

// Horizontal lines starting at x: an element's flat part (and its second pixel row).
std::vector<DrawnLine> FlatAt(const RecordingCanvas& c, double x) {
    return Where(c, [x](const DrawnLine& l) { return l.x1 == x && l.y1 == l.y2 && l.x2 > x; });
}

std::vector<DrawnLine> VerticalAt(const RecordingCanvas& c, double x) {
    return Where(c, [x](const DrawnLine& l) { return l.x1 == x && l.x2 == x && l.y1 != l.y2; });
}

class StripHeight : public ::testing::TestWithParam<int> {};

TEST_P(StripHeight, BitLevelsLieAtEightyAndTwentyPercent) {
    const int h = GetParam();
    const RecordingCanvas c = Draw({.data = {0, 1, 0}, .height = h});
    const auto low = FlatAt(c, 0);
    const auto high = FlatAt(c, kW12);
    ASSERT_EQ(low.size(), 2u);
    ASSERT_EQ(high.size(), 2u);
    EXPECT_EQ(low[0].y1, 0.8 * h);
    EXPECT_EQ(high[0].y1, 0.2 * h);
    EXPECT_EQ(low[1].y1, 0.8 * h + 15);  // second pixel row
    EXPECT_EQ(high[1].y1, 0.2 * h + 15);
    EXPECT_EQ(low[0].x2, kW12);
}

INSTANTIATE_TEST_SUITE_P(Heights, StripHeight, ::testing::Values(600, 450, 3000));

struct ZoomCase {
    int16_t baud;
    int zoom;
    double slot;  // Int(7500 / baud / zoom)

    friend void PrintTo(const ZoomCase& c, std::ostream* os) {
        *os << "baud " << c.baud << ", zoom " << c.zoom;
    }
};

class StripZoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(StripZoom, DrawsZoomTimesBaudPlusOneElements) {
    const auto [baud, zoom, slot] = GetParam();
    std::vector<int16_t> alternating(256);
    for (std::size_t i = 0; i < alternating.size(); ++i)
        alternating[i] = i % 2;
    const RecordingCanvas c = Draw({.data = alternating, .baud = baud, .zoom = zoom});
    const int elements = zoom * baud + 1;
    const auto flats = Where(c, [](const DrawnLine& l) { return l.y1 == l.y2; });
    EXPECT_EQ(flats.size(), 2u * elements);
    double lastStart = -1;
    for (const DrawnLine& l : flats)
        lastStart = std::max(lastStart, l.x1);
    EXPECT_EQ(lastStart, (elements - 1) * slot);  // the last slot starts at the right edge
    // Level changes every element: one edge per element after the first.
    EXPECT_EQ(c.lines.size() - flats.size(), static_cast<std::size_t>(elements - 1));
}

INSTANTIATE_TEST_SUITE_P(Zooms, StripZoom,
                         ::testing::Values(ZoomCase{12, 1, 625}, ZoomCase{12, 2, 312},
                                           ZoomCase{12, 3, 208}, ZoomCase{12, 4, 156},
                                           ZoomCase{24, 1, 312}, ZoomCase{24, 4, 78},
                                           ZoomCase{15, 4, 125}));

TEST(StripTest, DifferingElementIsRedAndTheColourComesBack) {
    const RecordingCanvas c = Draw({.data = {0, 0, 1, 1, 0}, .compare = {0, 0, 0, 1, 0}});
    for (const DrawnLine& l : FlatAt(c, 2 * kW12))
        EXPECT_EQ(l.colour, kRed);
    ASSERT_EQ(VerticalAt(c, 2 * kW12).size(), 1u);
    EXPECT_EQ(VerticalAt(c, 2 * kW12)[0].colour, kRed);
    for (const DrawnLine& l : FlatAt(c, 3 * kW12))
        EXPECT_EQ(l.colour, kBlue);
    ASSERT_EQ(VerticalAt(c, 4 * kW12).size(), 1u);
    EXPECT_EQ(VerticalAt(c, 4 * kW12)[0].colour, kBlue);
    EXPECT_EQ(c.Colour(), kBlue);
    EXPECT_EQ(c.clears, 1);
}

TEST(StripTest, InvalidMarkIsARedCrossAndTheNextElementHasNoEdge) {
    const RecordingCanvas c = Draw({.data = {1, 13, 1, 0}});
    const double yb = 480, top = 120;
    const auto cross = Where(c, [](const DrawnLine& l) { return l.x1 == kW12 && l.x2 > kW12; });
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[0].y1, yb);
    EXPECT_EQ(cross[0].y2, top);
    EXPECT_EQ(cross[1].y1, top);
    EXPECT_EQ(cross[1].y2, yb);
    EXPECT_EQ(cross[0].x2, 2 * kW12);
    for (const DrawnLine& l : cross)
        EXPECT_EQ(l.colour, kRed);
    EXPECT_TRUE(VerticalAt(c, kW12).empty());
    EXPECT_TRUE(VerticalAt(c, 2 * kW12).empty());   // no edge out of the cross
    ASSERT_EQ(VerticalAt(c, 3 * kW12).size(), 1u);  // edges resume after it
    EXPECT_EQ(VerticalAt(c, 3 * kW12)[0].colour, kBlue);
    for (const DrawnLine& l : FlatAt(c, 2 * kW12))
        EXPECT_EQ(l.colour, kBlue);
}

TEST(StripTest, EdgesOnlyWhereTheLevelChanges) {
    const RecordingCanvas c = Draw({.data = {0, 0, 1, 1, 0}});
    EXPECT_TRUE(VerticalAt(c, 0).empty());  // starts on the base line: nothing to join
    EXPECT_TRUE(VerticalAt(c, kW12).empty());
    EXPECT_TRUE(VerticalAt(c, 3 * kW12).empty());
    ASSERT_EQ(VerticalAt(c, 2 * kW12).size(), 1u);
    EXPECT_EQ(VerticalAt(c, 2 * kW12)[0].y1, 480);
    EXPECT_EQ(VerticalAt(c, 2 * kW12)[0].y2, 120);
    EXPECT_EQ(VerticalAt(c, 4 * kW12).size(), 1u);
}

TEST(StripTest, FirstElementRisesFromTheBaseLine) {
    const RecordingCanvas c = Draw({.data = {1, 1}});
    const auto edge = VerticalAt(c, 0);
    ASSERT_EQ(edge.size(), 1u);
    EXPECT_EQ(edge[0].y1, 480);
    EXPECT_EQ(edge[0].y2, 120);
}

TEST(StripTest, LevelThirteenUnitsDownStillGetsItsEdges) {
    // At a height of 65 units the upper bit level lies at y = 13, the invalid mark's value.
    const RecordingCanvas c = Draw({.data = {1, 0, 1, 0}, .height = 65});
    ASSERT_EQ(FlatAt(c, 0).size(), 2u);
    ASSERT_EQ(FlatAt(c, 0)[0].y1, 13);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(VerticalAt(c, i * kW12).size(), 1u) << "element " << i;
}

struct RzCase {
    int16_t duty;
    double on;
    double off;

    friend void PrintTo(const RzCase& c, std::ostream* os) { *os << "duty " << c.duty << "/16"; }
};

class ReturnToZero : public ::testing::TestWithParam<RzCase> {};

TEST_P(ReturnToZero, EdgesFromTheZeroLineAndGapBefore) {
    const auto [duty, on, off] = GetParam();
    // Levels -1..1 on 600 units: -1 at 480, 0 at 300, 1 at 120.
    const RecordingCanvas c = Draw({.data = {1, -1, 0}, .duty = duty, .iMin = -1});
    const double x = kW12;
    auto has = [&c](double x1, double y1, double x2, double y2) {
        return std::any_of(c.lines.begin(), c.lines.end(), [&](const DrawnLine& l) {
            return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
        });
    };
    EXPECT_TRUE(has(x, 480, x + on, 480));
    EXPECT_TRUE(has(x, 300, x, 480));            // rising edge
    EXPECT_TRUE(has(x + on, 300, x + on, 480));  // falling edge
    EXPECT_TRUE(has(x - off, 300, x, 300));      // zero-level gap, twice
    EXPECT_TRUE(has(x - off, 315, x, 315));
    EXPECT_FALSE(has(x, 120, x, 480));  // no edge from the previous level
    // Each element: two flat rows, two edges, two gap rows.
    EXPECT_EQ(c.lines.size(), 6u * 13);
}

INSTANTIATE_TEST_SUITE_P(Duties, ReturnToZero,
                         ::testing::Values(RzCase{8, 312, 312}, RzCase{4, 156, 468},
                                           RzCase{12, 468, 156}));

TEST(StripTest, ShortSequencesAndDegenerateArgumentsDrawSafely) {
    RecordingCanvas shortRun(kWidth, kHeight);
    const std::vector<int16_t> five{0, 1, 0, 1, 0};
    plotData(16, shortRun, 24, five, five, kBlue, 0, 1, 4);
    EXPECT_EQ(Where(shortRun, [](const DrawnLine& l) { return l.y1 == l.y2; }).size(), 10u);

    const RecordingCanvas noSlots = Draw({.data = {1, 0}, .baud = 0});
    EXPECT_EQ(noSlots.clears, 1);
    EXPECT_TRUE(noSlots.lines.empty());
    EXPECT_TRUE(Draw({.data = {1, 0}, .zoom = 0}).lines.empty());

    const RecordingCanvas oneLevel = Draw({.data = {1, 0, 1}, .iMin = 1, .iMax = 1});
    EXPECT_FALSE(oneLevel.lines.empty());
    EXPECT_TRUE(oneLevel.AllWithinMargin());
    EXPECT_EQ(FlatAt(oneLevel, 0)[0].y1, 480);
}

TEST(StripTest, HugePanelsAndExtremeLevelsStayInsideTheMargin) {
    const Strip extreme{.data = {32767, -32768, 13, 0, 1},
                        .duty = 4,
                        .iMin = -32768,
                        .iMax = 32767,
                        .width = INT_MAX,
                        .height = INT_MAX};
    const RecordingCanvas big = Draw(extreme);
    EXPECT_GT(big.lines.size(), 12u);
    EXPECT_TRUE(big.AllWithinMargin());

    const RecordingCanvas offScale = Draw({.data = {32767, -32768, 0}, .duty = -300});
    EXPECT_FALSE(offScale.lines.empty());
    EXPECT_TRUE(offScale.AllWithinMargin());
}

}  // namespace
}  // namespace linelab
