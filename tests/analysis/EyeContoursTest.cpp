#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/EyeContours.h"

namespace linelab {
namespace {

// A grid whose rate is 10^-(r^2), r the distance from (0, 0) with thresholds in their own
// units: the contour at 10^-k is the circle of radius sqrt(k).
StatisticalEye Bowl(double thresholdStep) {
    StatisticalEye eye;
    for (int v = -32; v <= 32; ++v)
        eye.instants.push_back(v);
    for (double y = -5; y <= 5 + 1e-9; y += thresholdStep)
        eye.thresholds.push_back(y);
    for (int v : eye.instants)
        for (double y : eye.thresholds) {
            const double x = v / 8.0;
            eye.rate.push_back(std::pow(10.0, -(x * x + y * y)));
        }
    return eye;
}

struct BowlCase {
    double rate;
    double step;
};

class ContourOfABowl : public testing::TestWithParam<BowlCase> {};

// Every segment end lies on the circle, and the segments close it: their length is its
// circumference.
TEST_P(ContourOfABowl, IsTheCircle) {
    const BowlCase& c = GetParam();
    const StatisticalEye eye = Bowl(c.step);
    const double rates[] = {c.rate};
    const auto contours = EyeContours(eye, rates);
    ASSERT_EQ(contours.size(), 1U);
    const double radius = std::sqrt(-std::log10(c.rate));
    double length = 0;
    for (const ContourSegment& s : contours[0].segments) {
        for (const auto& [v, y] : {std::pair{s.instant0, s.threshold0}, {s.instant1, s.threshold1}})
            EXPECT_NEAR(std::hypot(v / 8.0, y), radius, 0.01 * radius);
        length += std::hypot((s.instant1 - s.instant0) / 8.0, s.threshold1 - s.threshold0);
    }
    EXPECT_NEAR(length, 2 * std::numbers::pi * radius, 0.01 * 2 * std::numbers::pi * radius);
}

INSTANTIATE_TEST_SUITE_P(Rates, ContourOfABowl,
                         testing::Values(BowlCase{1e-3, 0.05}, BowlCase{1e-6, 0.1},
                                         BowlCase{1e-9, 0.05}, BowlCase{1e-12, 0.2}));

// A grid above the level everywhere (or of zeros, below it) has no contour; the default
// levels are the four the eye is drawn with.
TEST(EyeContours, NoneWhereNothingCrosses) {
    StatisticalEye eye = Bowl(0.5);
    for (double& r : eye.rate)
        r = 0.4;
    const auto contours = EyeContours(eye);
    ASSERT_EQ(contours.size(), 4U);
    EXPECT_EQ(contours[0].rate, 1e-3);
    EXPECT_EQ(contours[3].rate, 1e-12);
    for (const EyeContour& c : contours)
        EXPECT_TRUE(c.segments.empty());
    for (double& r : eye.rate)
        r = 0;
    for (const EyeContour& c : EyeContours(eye))
        EXPECT_TRUE(c.segments.empty());
}

}  // namespace
}  // namespace linelab
