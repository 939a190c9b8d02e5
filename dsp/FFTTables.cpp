#include "dsp/FFTTables.h"

#include <utility>

namespace linelab {
namespace {

struct SwapPair {
    uint16_t a;
    uint16_t b;
};

struct Tables {
    // The stage of span half sits at [half - 1, 2 * half - 1).
    std::array<Twiddle, kFFTTablePoints - 1> twiddle{};
    std::array<double, 2 * (kFFTTablePoints - 1)> spreadWr{};
    std::array<double, 2 * (kFFTTablePoints - 1)> spreadNwi{};
    // The exchanges for 2^b points sit at [swapBegin[b], swapBegin[b + 1]).
    std::array<SwapPair, kFFTTablePoints> swap{};
    std::array<std::size_t, kFFTTableLog2 + 2> swapBegin{};
    // The order for 2^b points sits at [2^b - 1, 2^(b + 1) - 1).
    std::array<uint16_t, 2 * kFFTTablePoints - 1> order{};
};

// Walks the classic bit-reversal counter over the complex positions and calls swap(i, j)
// for every exchanged pair (j > i).
template <typename Swap>
void BitReversalWalk(std::size_t points, Swap swap) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < points; ++i) {
        if (j > i) swap(i, j);
        std::size_t m = points / 2;
        while (m >= 1 && j >= m) {
            j -= m;
            m /= 2;
        }
        j += m;
    }
}

Tables BuildTables() {
    Tables t;
    for (std::size_t half = 1; half < kFFTTablePoints; half *= 2) {
        TwiddleRecurrence w(half, 1.0);
        for (std::size_t m = 0; m < half; ++m) {
            t.twiddle[half - 1 + m] = {w.wr(), w.wi()};
            const std::size_t at = 2 * (half - 1 + m);
            t.spreadWr[at] = t.spreadWr[at + 1] = w.wr();
            t.spreadNwi[at] = -w.wi();
            t.spreadNwi[at + 1] = w.wi();
            w.Advance();
        }
    }
    std::size_t count = 0;
    for (int b = 0; b <= kFFTTableLog2; ++b) {
        t.swapBegin[b] = count;
        BitReversalWalk(std::size_t{1} << b, [&](std::size_t i, std::size_t j) {
            t.swap[count++] = {static_cast<uint16_t>(i), static_cast<uint16_t>(j)};
        });
    }
    t.swapBegin[kFFTTableLog2 + 1] = count;
    for (int b = 0; b <= kFFTTableLog2; ++b) {
        const std::size_t points = std::size_t{1} << b;
        uint16_t* order = t.order.data() + (points - 1);
        for (std::size_t p = 0; p < points; ++p)
            order[p] = static_cast<uint16_t>(p);
        BitReversalWalk(points,
                        [&](std::size_t i, std::size_t j) { std::swap(order[i], order[j]); });
    }
    return t;
}

const Tables& GetTables() {
    static const Tables tables = BuildTables();  // built once, on first use, thread-safe
    return tables;
}

void SwapComplex(double* d, std::size_t i, std::size_t j) {
    const double re = d[2 * i];
    const double im = d[2 * i + 1];
    d[2 * i] = d[2 * j];
    d[2 * i + 1] = d[2 * j + 1];
    d[2 * j] = re;
    d[2 * j + 1] = im;
}

}  // namespace

const Twiddle* StageTwiddles(std::size_t half) {
    return GetTables().twiddle.data() + (half - 1);
}

SpreadTwiddles StageSpreadTwiddles(std::size_t half) {
    const Tables& t = GetTables();
    return {t.spreadWr.data() + 2 * (half - 1), t.spreadNwi.data() + 2 * (half - 1)};
}

const uint16_t* BitReversedOrder(int log2Points) {
    return GetTables().order.data() + ((std::size_t{1} << log2Points) - 1);
}

void BitReverse(double* d, std::size_t points, int log2Points) {
    if (log2Points > kFFTTableLog2) {
        BitReversalWalk(points, [d](std::size_t i, std::size_t j) { SwapComplex(d, i, j); });
        return;
    }
    const Tables& t = GetTables();
    for (std::size_t s = t.swapBegin[log2Points]; s < t.swapBegin[log2Points + 1]; ++s) {
        SwapComplex(d, t.swap[s].a, t.swap[s].b);
    }
}

}  // namespace linelab
