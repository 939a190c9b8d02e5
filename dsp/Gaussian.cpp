#include "dsp/Gaussian.h"

namespace linelab {
namespace {

// Every layer, the base with its tail included, has the area V of the top one.
constexpr double kV = 4.92867323399e-3;

double Density(double x) {
    return std::exp(-0.5 * x * x);
}

ZigguratTables Build() {
    ZigguratTables t;
    const double r = ZigguratTables::kR;
    t.x[0] = kV / Density(r);
    t.x[1] = r;
    for (int i = 2; i < 256; ++i)
        t.x[i] = std::sqrt(-2.0 * std::log(kV / t.x[i - 1] + Density(t.x[i - 1])));
    t.x[256] = 0;
    for (int i = 0; i < 257; ++i)
        t.f[i] = Density(t.x[i]);
    return t;
}

}  // namespace

const ZigguratTables& Ziggurat() {
    static const ZigguratTables tables = Build();
    return tables;
}

double GaussianTail(Uniform& rng, double u) {
    const double r = ZigguratTables::kR;
    for (;;) {
        // 1 - Next() lies in (0, 1]: the logarithms stay finite.
        const double x = std::log(1.0 - rng.Next()) / r;
        const double y = std::log(1.0 - rng.Next());
        if (-2.0 * y >= x * x) return u < 0 ? x - r : r - x;
    }
}

}  // namespace linelab
