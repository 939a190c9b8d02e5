#include <cmath>
#include <concepts>
#include <functional>

#include "transmit/CodeTables.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// The generator gives values in [0, 1); the sources draw in index order.
template <typename Draw>
concept UniformDraw = requires(Draw draw) {
    { draw() } -> std::convertible_to<double>;
};

// 1 when u > t, 0 when u <= t: a draw exactly on the threshold counts as a zero.
int16_t BiasedBit(double u, double t) {
    return u > t ? 1 : 0;
}

void FillBiased(Bits& iData, double t, UniformDraw auto& draw) {
    for (auto& bit : iData)
        bit = BiasedBit(draw(), t);
}

// L = floor(1 - 4 ln U) is at least 1 for every U in (0, 1). The logarithm of 0 is not
// defined, so a zero draw is replaced by the next draw; the generator returns 0 once in 2^53
// draws, so this practically never repeats.
int RunLength(UniformDraw auto& draw) {
    double u = draw();
    while (u <= 0.0)
        u = draw();
    return static_cast<int>(std::floor(1.0 - 4.0 * std::log(u)));
}

// Runs are laid out over twice the length that is kept, so the number of draws per run of
// data varies as the run lengths do; only the first 128 positions are written.
void FillExponentialRuns(Bits& iData, UniformDraw auto& draw) {
    constexpr int kLaidOut = kBits;
    constexpr int kKept = kSymbols;
    int16_t b = BiasedBit(draw(), 0.5);
    for (int s = 0; s < kLaidOut;) {
        const int length = RunLength(draw);
        for (int p = s; p <= s + length && p < kKept; ++p)
            iData[p] = b;
        b = static_cast<int16_t>(1 - b);
        s += length;
    }
}

// 91 = 13 * 7 phases, so every phase modulo 7 is equally likely.
void FillPrbs7(Bits& iData, UniformDraw auto& draw) {
    const int phase = static_cast<int>(std::floor(91.0 * draw()));
    for (int i = 0; i < kBits; ++i)
        iData[i] = kPrbs7[static_cast<std::size_t>((phase + i) % 7)];
}

void Fill(DataSource source, Bits& iData, UniformDraw auto& draw) {
    switch (source) {
        case DataSource::Random:
            FillBiased(iData, 0.5, draw);
            break;
        case DataSource::ExponentialRuns:
            FillExponentialRuns(iData, draw);
            break;
        case DataSource::Prbs7:
            FillPrbs7(iData, draw);
            break;
        case DataSource::Zeros75:
            FillBiased(iData, 0.75, draw);
            break;
        case DataSource::Ones75:
            FillBiased(iData, 0.25, draw);
            break;
        case DataSource::AllZeros:
            iData.fill(0);
            break;
        case DataSource::AllOnes:
            iData.fill(1);
            break;
    }
}

}  // namespace

void GenerateData(std::optional<DataSource> source, Uniform& rng, Bits& iData) {
    if (!source) return;
    auto draw = [&rng] { return rng.Next(); };
    Fill(*source, iData, draw);
}

// The same sources fed from any sequence of draws, so that exact boundary values can be
// checked. Not used by the tick.
void GenerateDataFrom(std::optional<DataSource> source, Bits& iData,
                      const std::function<double()>& draw) {
    if (source) Fill(*source, iData, draw);
}

}  // namespace linelab
