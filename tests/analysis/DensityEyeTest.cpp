#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>

#include "analysis/DensityEye.h"
#include "display/Plots.h"

namespace linelab {
namespace {

constexpr double U = kUnitsPerPixel;

uint32_t At(const DensityEye& eye, int x, int y) {
    return eye.Counts()[static_cast<std::size_t>(y * eye.Width() + x)];
}

uint64_t Total(const DensityEye& eye) {
    return std::accumulate(eye.Counts().begin(), eye.Counts().end(), uint64_t{0});
}

TEST(DensityEye, ALineHitsEachPixelItCrossesOnce) {
    DensityEye eye(10, 5);
    eye.Line(-5 * U, 2.5 * U, 20 * U, 2.5 * U);  // across the whole width, clipped
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(eye, x, 2), 1u) << x;
    EXPECT_EQ(Total(eye), 10u);
    // Two segments of one trace meeting in a pixel count it once.
    DensityEye joined(10, 10);
    joined.Line(0.5 * U, 0.5 * U, 4.5 * U, 4.5 * U);
    joined.Line(4.5 * U, 4.5 * U, 8.5 * U, 0.5 * U);
    EXPECT_EQ(At(joined, 4, 4), 1u);
    EXPECT_EQ(joined.MaxCount(), 1u);
    EXPECT_EQ(Total(joined), 8u);  // 4 pixels past each segment's first end
}

TEST(DensityEye, WildCoordinatesNeverEscapeTheGrid) {
    DensityEye eye(8, 8);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    eye.Line(nan, 0, 4 * U, 4 * U);
    eye.Line(-inf, -inf, inf, inf);
    eye.Line(-1e300, 4 * U, 1e300, 4 * U);
    eye.Line(100 * U, 100 * U, 200 * U, 300 * U);  // outside altogether
    EXPECT_LE(Total(eye), 8u + 8u);
    DensityEye empty;
    empty.Line(0, 0, 100, 100);
    EXPECT_EQ(empty.MaxCount(), 0u);
}

// Drawn by the eye routine, every trace leaves its hits; clearing and resizing empty it.
TEST(DensityEye, TakesTheEyeRoutinesTracesAndClears) {
    DensityEye eye(220, 130);
    Signal wave{};
    for (int m = 0; m < kPoints; ++m)
        wave[2 * m] = std::sin(m * 3.14159265 / 16);
    const Thresholds t{};
    const EyeView view{eye.ScaleWidth(), eye.ScaleHeight(), 0, false, 1.0};
    PlotEye(wave, eye, 1.4142, t, false, view);
    const uint32_t once = eye.MaxCount();
    const uint64_t hits = Total(eye);
    EXPECT_GT(hits, 220u);
    PlotEye(wave, eye, 1.4142, t, false, view);
    EXPECT_EQ(Total(eye), 2 * hits);  // the same run again doubles every pixel
    EXPECT_EQ(eye.MaxCount(), 2 * once);
    eye.Clear();
    EXPECT_EQ(Total(eye), 0u);
    EXPECT_EQ(eye.MaxCount(), 0u);
    eye.Resize(3, 2);
    EXPECT_EQ(eye.Counts().size(), 6u);
}

double Luminance(uint32_t rgb) {
    auto linear = [](uint32_t byte) {
        const double c = byte / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16 & 255) + 0.7152 * linear(rgb >> 8 & 255) +
           0.0722 * linear(rgb & 255);
}

TEST(DensityColour, BrightensSteadilyWithTheLogOfTheCount) {
    const uint32_t maxCount = 100000;
    EXPECT_EQ(DensityColour(0, maxCount, 0xFF123456), 0xFF123456u);
    double previous = -1;
    for (uint32_t c = 1; c <= maxCount; c *= 2) {
        const double y = Luminance(DensityColour(c, maxCount));
        EXPECT_GT(y, previous) << c;
        previous = y;
    }
    EXPECT_LT(Luminance(DensityColour(1, maxCount)), 0.05);
    EXPECT_GT(Luminance(DensityColour(maxCount, maxCount)), 0.8);
    // The scale is relative: the most frequent pixel always takes the brightest colour.
    EXPECT_EQ(DensityColour(7, 7), DensityColour(maxCount, maxCount));
}

TEST(DensityColour, ImageUsesTheSameScale) {
    DensityEye eye(4, 1);
    for (int i = 0; i < 50; ++i)
        eye.Line(-U, 0.5 * U, 0.5 * U, 0.5 * U);
    eye.Line(0, 0.5 * U, 3.9 * U, 0.5 * U);
    std::vector<uint32_t> image(4);
    DensityImage(eye, image, 0xFF000000);
    EXPECT_EQ(image[0], DensityColour(eye.Counts()[0], eye.MaxCount()));
    EXPECT_EQ(image[3], DensityColour(1, eye.MaxCount()));
    std::vector<uint32_t> wrongSize(3, 7);
    DensityImage(eye, wrongSize);
    EXPECT_EQ(wrongSize[0], 7u);
}

}  // namespace
}  // namespace linelab
