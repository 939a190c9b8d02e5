#include <gtest/gtest.h>

#include <cmath>

#include "dsp/Gaussian.h"

namespace linelab {
namespace {

double NormalTail(double x) {
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

// The layers close up: the top one (from x[255] to 0) has the same area as every other.
TEST(Gaussian, TheLayersTileTheDensity) {
    const ZigguratTables& t = Ziggurat();
    const double v = t.x[1] * (t.f[2] - t.f[1]);
    EXPECT_NEAR(t.x[255] * (1.0 - t.f[255]), v, 1e-9);
}

// Four moments and the tails, both sides, past the point where the tail method takes over:
// counts within five standard deviations of the normal law's.
TEST(Gaussian, MomentsAndTailsAreNormal) {
    Uniform rng(12345);
    constexpr int kDraws = 4000000;
    double m1 = 0, m2 = 0, m3 = 0, m4 = 0;
    const double edges[] = {1.0, 2.0, 3.0, 3.6, 4.0, 4.5};
    int above[6] = {}, below[6] = {};
    for (int n = 0; n < kDraws; ++n) {
        const double x = Gaussian(rng);
        m1 += x, m2 += x * x, m3 += x * x * x, m4 += x * x * x * x;
        for (int e = 0; e < 6; ++e)
            above[e] += x > edges[e], below[e] += x < -edges[e];
    }
    EXPECT_NEAR(m1 / kDraws, 0.0, 5 / std::sqrt(kDraws));
    EXPECT_NEAR(m2 / kDraws, 1.0, 5 * std::sqrt(2.0 / kDraws));
    EXPECT_NEAR(m3 / kDraws, 0.0, 5 * std::sqrt(15.0 / kDraws));
    EXPECT_NEAR(m4 / kDraws, 3.0, 5 * std::sqrt(96.0 / kDraws));
    for (int e = 0; e < 6; ++e) {
        const double p = NormalTail(edges[e]) * kDraws;
        EXPECT_NEAR(above[e], p, 5 * std::sqrt(p) + 1) << edges[e];
        EXPECT_NEAR(below[e], p, 5 * std::sqrt(p) + 1) << -edges[e];
    }
}

}  // namespace
}  // namespace linelab
