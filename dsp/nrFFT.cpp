#include "dsp/nrFFT.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace linelab {
namespace {

// The tables cover every transform up to this size; the program itself only uses 2048
// points. Larger transforms compute the same values on the fly.
constexpr int kTableLog2 = 11;
constexpr std::size_t kTablePoints = std::size_t{1} << kTableLog2;

// This literal value of 2 pi, not a full-precision one: the twiddles must come out exactly
// as the recurrence below has always produced them.
constexpr double kTwoPi = 6.28318530717959;

struct Twiddle {
    double wr;
    double wi;
};

struct SwapPair {
    uint16_t a;
    uint16_t b;
};

// Everything the transform needs that depends only on the size, built once.
struct Tables {
    // The twiddles of the stage of span `half` (complex points) sit at [half - 1, 2*half - 1),
    // for half = 1, 2, 4, ..., kTablePoints / 2. They are those of the forward direction;
    // the inverse direction's are their exact conjugates.
    std::array<Twiddle, kTablePoints - 1> twiddle{};
    // The exchanges of the bit-reversal reordering for 2^b points sit at
    // [swapBegin[b], swapBegin[b + 1]).
    std::array<SwapPair, kTablePoints> swap{};
    std::array<std::size_t, kTableLog2 + 2> swapBegin{};
};

// The half-angle sine recurrence for one stage: twiddle m of the stage with mmax array
// elements per half-block. Two sine evaluations per stage, none per twiddle.
class TwiddleRecurrence {
  public:
    TwiddleRecurrence(std::size_t mmax, double sign) {
        const double theta = kTwoPi / static_cast<double>(mmax);
        const double wtemp = sign * std::sin(0.5 * theta);
        wpr_ = -2.0 * wtemp * wtemp;
        wpi_ = sign * std::sin(theta);
    }
    double wr() const { return wr_; }
    double wi() const { return wi_; }
    void Advance() {
        const double w0 = wr_;
        wr_ = wr_ * wpr_ - wi_ * wpi_ + wr_;
        wi_ = wi_ * wpr_ + w0 * wpi_ + wi_;
    }

  private:
    double wpr_ = 0;
    double wpi_ = 0;
    double wr_ = 1;
    double wi_ = 0;
};

// The walk of the bit-reversal reordering over complex positions; calls swap(i, j) for
// every pair that is exchanged (j > i).
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
    for (std::size_t half = 1; half < kTablePoints; half *= 2) {
        TwiddleRecurrence w(2 * half, 1.0);
        for (std::size_t m = 0; m < half; ++m) {
            t.twiddle[half - 1 + m] = {w.wr(), w.wi()};
            w.Advance();
        }
    }
    std::size_t count = 0;
    for (int b = 0; b <= kTableLog2; ++b) {
        t.swapBegin[b] = count;
        BitReversalWalk(std::size_t{1} << b, [&](std::size_t i, std::size_t j) {
            t.swap[count++] = {static_cast<uint16_t>(i), static_cast<uint16_t>(j)};
        });
    }
    t.swapBegin[kTableLog2 + 1] = count;
    return t;
}

const Tables& GetTables() {
    static const Tables tables = BuildTables();  // thread-safe, built on first use
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

void BitReverse(double* d, std::size_t points, int log2Points) {
    if (log2Points > kTableLog2) {
        BitReversalWalk(points, [d](std::size_t i, std::size_t j) { SwapComplex(d, i, j); });
        return;
    }
    const Tables& t = GetTables();
    for (std::size_t s = t.swapBegin[log2Points]; s < t.swapBegin[log2Points + 1]; ++s) {
        SwapComplex(d, t.swap[s].a, t.swap[s].b);
    }
}

// One complex value as a two-lane vector (real, imaginary).
using Complex2 = double __attribute__((vector_size(16)));

inline Complex2 Load(const double* p) {
    Complex2 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store(double* p, Complex2 v) {
    std::memcpy(p, &v, sizeof v);
}

// One butterfly: the product of the upper value with the twiddle is taken from the lower
// one and added to it. Lane by lane these are exactly the operations of the classic
// scalar routine: wr*re + (-wi)*im equals wr*re - wi*im bit for bit.
inline void Butterfly(Complex2& lo, Complex2& hi, Complex2 wrwr, Complex2 nwiwi) {
    const Complex2 hs = __builtin_shufflevector(hi, hi, 1, 0);
    const Complex2 t = wrwr * hi + nwiwi * hs;
    hi = lo - t;
    lo = lo + t;
}

// The twiddles of one stage from the table, as the two vectors a butterfly takes.
// Negating the sine is exact, so the inverse twiddles equal the recurrence's bit for bit.
class StageTwiddles {
  public:
    StageTwiddles(std::size_t half, double sign)
        : tw_(GetTables().twiddle.data() + (half - 1)), signs_{-sign, sign} {}
    Complex2 Wr(std::size_t m) const { return Complex2{tw_[m].wr, tw_[m].wr}; }
    Complex2 NWi(std::size_t m) const { return Complex2{tw_[m].wi, tw_[m].wi} * signs_; }

  private:
    const Twiddle* tw_;
    Complex2 signs_;
};

// Two consecutive stages (spans half and 2*half) on the four values at k, k + half,
// k + 2*half, k + 3*half, kept in registers between the stages. Every butterfly of the
// second stage needs only outputs of the first from the same four values, so the result is
// that of running the stages one after the other.
inline void StagePair(double* d, std::size_t k, std::size_t half, const StageTwiddles& first,
                      const StageTwiddles& second, std::size_t m) {
    double* p0 = d + 2 * k;
    double* p1 = p0 + 2 * half;
    double* p2 = p1 + 2 * half;
    double* p3 = p2 + 2 * half;
    Complex2 a = Load(p0), b = Load(p1), c = Load(p2), e = Load(p3);
    const Complex2 wr = first.Wr(m), nwi = first.NWi(m);
    Butterfly(a, b, wr, nwi);
    Butterfly(c, e, wr, nwi);
    Butterfly(a, c, second.Wr(m), second.NWi(m));
    Butterfly(b, e, second.Wr(m + half), second.NWi(m + half));
    Store(p0, a);
    Store(p1, b);
    Store(p2, c);
    Store(p3, e);
}

// Stages half and 2*half from the table. The butterflies of a stage are independent, so any
// visiting order gives the same result: short spans take one set of twiddles at a time
// across all blocks, long spans walk each block sequentially.
void TableStagePair(double* d, std::size_t points, std::size_t half, double sign) {
    const StageTwiddles first(half, sign);
    const StageTwiddles second(2 * half, sign);
    if (half <= 2) {
        for (std::size_t m = 0; m < half; ++m) {
            for (std::size_t k = m; k < points; k += 4 * half) {
                StagePair(d, k, half, first, second, m);
            }
        }
        return;
    }
    for (std::size_t block = 0; block < points; block += 4 * half) {
        for (std::size_t m = 0; m < half; ++m)
            StagePair(d, block + m, half, first, second, m);
    }
}

// A single stage from the table, for an odd number of stages.
void TableStage(double* d, std::size_t points, std::size_t half, double sign) {
    const StageTwiddles tw(half, sign);
    for (std::size_t block = 0; block < points; block += 2 * half) {
        for (std::size_t m = 0; m < half; ++m) {
            double* lo = d + 2 * (block + m);
            double* hi = lo + 2 * half;
            Complex2 l = Load(lo), h = Load(hi);
            Butterfly(l, h, tw.Wr(m), tw.NWi(m));
            Store(lo, l);
            Store(hi, h);
        }
    }
}

// A stage beyond the table: twiddles straight from the recurrence.
void RecurrenceStage(double* d, std::size_t points, std::size_t half, double sign) {
    TwiddleRecurrence w(2 * half, sign);
    for (std::size_t m = 0; m < half; ++m) {
        for (std::size_t block = 0; block < points; block += 2 * half) {
            double* lo = d + 2 * (block + m);
            double* hi = lo + 2 * half;
            Complex2 l = Load(lo), h = Load(hi);
            Butterfly(l, h, Complex2{w.wr(), w.wr()}, Complex2{-w.wi(), w.wi()});
            Store(lo, l);
            Store(hi, h);
        }
        w.Advance();
    }
}

// 2^b when lCount is a power of two of at least 2, else -1.
int PowerOfTwoLog2(int32_t lCount) {
    int64_t p = 2;
    int log2 = 1;
    while (lCount > p) {
        p *= 2;
        ++log2;
    }
    return p == lCount ? log2 : -1;
}

}  // namespace

void FFT(std::span<double> dData, int32_t lCount, bool bInverse, bool bSkip, Reporter* reporter) {
    if (bSkip) return;
    const int log2Points = PowerOfTwoLog2(lCount);
    if (log2Points < 0) {
        if (reporter != nullptr) reporter->Report(kPowerOfTwoMessage, false);
        return;
    }
    const auto points = static_cast<std::size_t>(lCount);
    // A buffer shorter than the count is a caller's error; refusing it keeps the transform
    // from writing past the end.
    if (dData.size() / 2 < points) return;

    double* d = dData.data();
    const double sign = bInverse ? -1.0 : 1.0;
    BitReverse(d, points, log2Points);
    std::size_t half = 1;
    for (; 4 * half <= points && 2 * half < kTablePoints; half *= 4) {
        TableStagePair(d, points, half, sign);
    }
    for (; half < points; half *= 2) {
        if (half < kTablePoints) {
            TableStage(d, points, half, sign);
        } else {
            RecurrenceStage(d, points, half, sign);
        }
    }
    if (bInverse) {
        // Multiplying by the reciprocal of a power of two rounds exactly as dividing does.
        const double scale = 1.0 / static_cast<double>(lCount);
        for (std::size_t i = 0; i < 2 * points; ++i)
            d[i] *= scale;
    }
}

}  // namespace linelab
