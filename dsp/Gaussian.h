#pragma once
// Standard normal deviates by the ziggurat method (Marsaglia and Tsang, 256 layers), over the
// simulation's own seeded generator, so a seed replays the same deviates. It is exact: a
// deviate is returned only from below the density (the strips' rectangles, a test against
// the density at their wedges, and Marsaglia's exact method for the tail beyond R), so the
// distribution is the normal one to the resolution of the 53-bit uniforms. Nearly every
// deviate costs one 64-bit draw, a multiply and a compare, against a logarithm and a square
// root per pair for the polar method.

#include <array>
#include <cmath>
#include <cstdint>

#include "common/Uniform.h"

namespace linelab {

struct ZigguratTables {
    static constexpr double kR = 3.6541528853610088;  // the start of the tail
    std::array<double, 257> x{};  // layer edges: x[0] the base strip's width, x[256] = 0
    std::array<double, 257> f{};  // the density exp(-x^2/2) at each edge
};

const ZigguratTables& Ziggurat();

// Beyond R, drawn exactly with the sign of u.
double GaussianTail(Uniform& rng, double u);

// One standard normal deviate.
inline double Gaussian(Uniform& rng, const ZigguratTables& t = Ziggurat()) {
    for (;;) {
        const uint64_t bits = rng.NextBits();
        const std::size_t i = bits & 0xff;  // the layer; the uniform below uses other bits
        const double u = 2.0 * (static_cast<double>(bits >> 11) * 0x1.0p-53) - 1.0;
        const double x = u * t.x[i];
        if (std::fabs(x) < t.x[i + 1]) return x;
        if (i == 0) return GaussianTail(rng, u);
        if (t.f[i + 1] + (t.f[i] - t.f[i + 1]) * rng.Next() < std::exp(-0.5 * x * x)) return x;
    }
}

}  // namespace linelab
