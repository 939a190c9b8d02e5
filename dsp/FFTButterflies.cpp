#include "dsp/FFTButterflies.h"

#include <cstring>

#include "dsp/FFTTables.h"

namespace linelab {
namespace {

// One complex value (real, imaginary) per 128-bit vector, or two neighbouring ones per
// 256-bit vector.
struct Lanes2 {
    using V = double __attribute__((vector_size(16)));
    static constexpr std::size_t kComplex = 1;
    [[gnu::always_inline]] static void Swap(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 1, 0);
    }
    [[gnu::always_inline]] static void Re(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 0, 0);
    }
    [[gnu::always_inline]] static void Im(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 1, 1);
    }
};

// The wider lanes serve only the x86 builds below; elsewhere they would be unused.
#if defined(__x86_64__) || defined(__i386__)
struct Lanes4 {
    using V = double __attribute__((vector_size(32)));
    static constexpr std::size_t kComplex = 2;
    [[gnu::always_inline]] static void Swap(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 1, 0, 3, 2);
    }
    [[gnu::always_inline]] static void Re(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 0, 0, 2, 2);
    }
    [[gnu::always_inline]] static void Im(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 1, 1, 3, 3);
    }
};

struct Lanes8 {
    using V = double __attribute__((vector_size(64)));
    static constexpr std::size_t kComplex = 4;
    [[gnu::always_inline]] static void Swap(const V& v, V& out) {
        out = __builtin_shufflevector(v, v, 1, 0, 3, 2, 5, 4, 7, 6);
    }
};
#endif

// Everything below is inlined into the builds, so each is compiled for its processor.
// Vectors go by reference: a 256-bit vector passed by value would change the calling
// convention between the builds.

template <typename L>
[[gnu::always_inline]] inline void Load(typename L::V& v, const double* p) {
    std::memcpy(&v, p, sizeof v);
}

template <typename L>
[[gnu::always_inline]] inline void Store(double* p, const typename L::V& v) {
    std::memcpy(p, &v, sizeof v);
}

// Twiddle m (and m + 1 with two lanes) of a stage as (wr, wr) and (-wi, wi), straight from
// the spread tables: no shuffles or sign products per load.
template <typename L>
[[gnu::always_inline]] inline void LoadTwiddles(const SpreadTwiddles& tw, std::size_t m,
                                                typename L::V& wr, typename L::V& nwi) {
    std::memcpy(&wr, tw.wr + 2 * m, sizeof wr);
    std::memcpy(&nwi, tw.nwi + 2 * m, sizeof nwi);
}

// The product of the upper value with the twiddle is taken from the lower one and added to
// it. Lane by lane these are exactly the operations of the classic scalar routine:
// wr*re + (-wi)*im equals wr*re - wi*im bit for bit. The inverse twiddles are the forward
// ones with the sines negated, and subtracting the product with the forward (-wi, wi) is
// adding the one with (wi, -wi) exactly, so one table serves both directions.
template <typename L, bool Inverse>
[[gnu::always_inline]] inline void Butterfly(typename L::V& lo, typename L::V& hi,
                                             const typename L::V& wr, const typename L::V& nwi) {
    typename L::V swapped;
    L::Swap(hi, swapped);
    const typename L::V t = Inverse ? wr * hi - nwi * swapped : wr * hi + nwi * swapped;
    hi = lo - t;
    lo = lo + t;
}

// The spans 1 and 2 together, reading the input in bit-reversed order from src and writing
// to dst: the reordering and the first two stages in one pass. Each group of four outputs
// is the StagePair of span 1 on the four reordered values, so the results are the same.
template <bool I>
[[gnu::always_inline]] inline void FirstPairFromReversed(const double* src, double* dst,
                                                         std::size_t points,
                                                         const uint16_t* order) {
    using V = Lanes2::V;
    const SpreadTwiddles tw1 = StageSpreadTwiddles(1);
    const SpreadTwiddles tw2 = StageSpreadTwiddles(2);
    V wr1, nwi1, wr2a, nwi2a, wr2b, nwi2b;
    LoadTwiddles<Lanes2>(tw1, 0, wr1, nwi1);
    LoadTwiddles<Lanes2>(tw2, 0, wr2a, nwi2a);
    LoadTwiddles<Lanes2>(tw2, 1, wr2b, nwi2b);
    for (std::size_t block = 0; block < points; block += 4) {
        V a, b, c, e;
        Load<Lanes2>(a, src + 2 * order[block]);
        Load<Lanes2>(b, src + 2 * order[block + 1]);
        Load<Lanes2>(c, src + 2 * order[block + 2]);
        Load<Lanes2>(e, src + 2 * order[block + 3]);
        Butterfly<Lanes2, I>(a, b, wr1, nwi1);
        Butterfly<Lanes2, I>(c, e, wr1, nwi1);
        Butterfly<Lanes2, I>(a, c, wr2a, nwi2a);
        Butterfly<Lanes2, I>(b, e, wr2b, nwi2b);
        double* p = dst + 2 * block;
        Store<Lanes2>(p, a);
        Store<Lanes2>(p + 2, b);
        Store<Lanes2>(p + 4, c);
        Store<Lanes2>(p + 6, e);
    }
}

// Stages half and 2 * half together on the values at k, k + half, k + 2 half, k + 3 half,
// kept in registers between the two. Every butterfly of the second stage needs only
// outputs of the first from the same four values, so the result is that of running the
// stages one after the other; the butterflies within a stage are independent, so visiting
// them block by block changes nothing either.
template <typename L, bool I>
[[gnu::always_inline]] inline void StagePair(const double* in, double* out, std::size_t points,
                                             std::size_t half) {
    using V = typename L::V;
    const SpreadTwiddles tw1 = StageSpreadTwiddles(half);
    const SpreadTwiddles tw2 = StageSpreadTwiddles(2 * half);
    for (std::size_t block = 0; block < points; block += 4 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            const std::size_t at = 2 * (block + m);
            const std::size_t h = 2 * half;
            V a, b, c, e, wr, nwi;
            Load<L>(a, in + at);
            Load<L>(b, in + at + h);
            Load<L>(c, in + at + 2 * h);
            Load<L>(e, in + at + 3 * h);
            LoadTwiddles<L>(tw1, m, wr, nwi);
            Butterfly<L, I>(a, b, wr, nwi);
            Butterfly<L, I>(c, e, wr, nwi);
            LoadTwiddles<L>(tw2, m, wr, nwi);
            Butterfly<L, I>(a, c, wr, nwi);
            LoadTwiddles<L>(tw2, m + half, wr, nwi);
            Butterfly<L, I>(b, e, wr, nwi);
            Store<L>(out + at, a);
            Store<L>(out + at + h, b);
            Store<L>(out + at + 2 * h, c);
            Store<L>(out + at + 3 * h, e);
        }
    }
}

// Stages half, 2 half and 4 half together on eight values k + j half (j = 0..7), kept in
// registers across the three: a third fewer passes over the data than in pairs, with every
// butterfly the same operations on the same inputs, so the same results bit for bit.
template <typename L, bool I>
[[gnu::always_inline]] inline void StageTriple(const double* in, double* out, std::size_t points,
                                               std::size_t half) {
    using V = typename L::V;
    const SpreadTwiddles tw1 = StageSpreadTwiddles(half);
    const SpreadTwiddles tw2 = StageSpreadTwiddles(2 * half);
    const SpreadTwiddles tw3 = StageSpreadTwiddles(4 * half);
    for (std::size_t block = 0; block < points; block += 8 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            const double* p = in + 2 * (block + m);
            double* q = out + 2 * (block + m);
            const std::size_t h = 2 * half;
            V x0, x1, x2, x3, x4, x5, x6, x7, wr, nwi;
            Load<L>(x0, p);
            Load<L>(x1, p + h);
            Load<L>(x2, p + 2 * h);
            Load<L>(x3, p + 3 * h);
            Load<L>(x4, p + 4 * h);
            Load<L>(x5, p + 5 * h);
            Load<L>(x6, p + 6 * h);
            Load<L>(x7, p + 7 * h);
            LoadTwiddles<L>(tw1, m, wr, nwi);
            Butterfly<L, I>(x0, x1, wr, nwi);
            Butterfly<L, I>(x2, x3, wr, nwi);
            Butterfly<L, I>(x4, x5, wr, nwi);
            Butterfly<L, I>(x6, x7, wr, nwi);
            LoadTwiddles<L>(tw2, m, wr, nwi);
            Butterfly<L, I>(x0, x2, wr, nwi);
            Butterfly<L, I>(x4, x6, wr, nwi);
            LoadTwiddles<L>(tw2, m + half, wr, nwi);
            Butterfly<L, I>(x1, x3, wr, nwi);
            Butterfly<L, I>(x5, x7, wr, nwi);
            LoadTwiddles<L>(tw3, m, wr, nwi);
            Butterfly<L, I>(x0, x4, wr, nwi);
            LoadTwiddles<L>(tw3, m + half, wr, nwi);
            Butterfly<L, I>(x1, x5, wr, nwi);
            LoadTwiddles<L>(tw3, m + 2 * half, wr, nwi);
            Butterfly<L, I>(x2, x6, wr, nwi);
            LoadTwiddles<L>(tw3, m + 3 * half, wr, nwi);
            Butterfly<L, I>(x3, x7, wr, nwi);
            Store<L>(q, x0);
            Store<L>(q + h, x1);
            Store<L>(q + 2 * h, x2);
            Store<L>(q + 3 * h, x3);
            Store<L>(q + 4 * h, x4);
            Store<L>(q + 5 * h, x5);
            Store<L>(q + 6 * h, x6);
            Store<L>(q + 7 * h, x7);
        }
    }
}

// One stage of span half from the table.
template <typename L, bool I>
[[gnu::always_inline]] inline void Stage(double* d, std::size_t points, std::size_t half) {
    using V = typename L::V;
    const SpreadTwiddles tw = StageSpreadTwiddles(half);
    for (std::size_t block = 0; block < points; block += 2 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            double* lo = d + 2 * (block + m);
            double* hi = lo + 2 * half;
            V l, h, wr, nwi;
            Load<L>(l, lo);
            Load<L>(h, hi);
            LoadTwiddles<L>(tw, m, wr, nwi);
            Butterfly<L, I>(l, h, wr, nwi);
            Store<L>(lo, l);
            Store<L>(hi, h);
        }
    }
}

// A stage beyond the table: the twiddles straight from the recurrence, in its order.
void RecurrenceStage(double* d, std::size_t points, std::size_t half, double sign) {
    using V = Lanes2::V;
    TwiddleRecurrence w(half, sign);
    for (std::size_t m = 0; m < half; ++m) {
        const V wr = {w.wr(), w.wr()};
        const V nwi = {-w.wi(), w.wi()};
        for (std::size_t block = 0; block < points; block += 2 * half) {
            double* lo = d + 2 * (block + m);
            double* hi = lo + 2 * half;
            V l, h;
            Load<Lanes2>(l, lo);
            Load<Lanes2>(h, hi);
            Butterfly<Lanes2, false>(l, h, wr, nwi);
            Store<Lanes2>(lo, l);
            Store<Lanes2>(hi, h);
        }
        w.Advance();
    }
}

// Stages in threes and pairs where possible. The spans 1 and 2 always take one complex
// value per vector, since their butterflies do not come in neighbouring pairs.
// The passes of the table sizes: the reordering fused with spans 1 and 2 into a scratch
// copy, then threes and pairs, the last of which writes back into d (a copy back only when
// a single stage is left over).
template <typename L, bool I>
[[gnu::always_inline]] inline void TableStages(double* d, std::size_t points, int log2Points) {
    alignas(64) double scratch[2 * kFFTTablePoints];
    FirstPairFromReversed<I>(d, scratch, points, BitReversedOrder(log2Points));
    std::size_t half = 4;
    bool inScratch = true;
    auto target = [&](std::size_t span) { return span >= points ? d : scratch; };
    for (; 8 * half <= points; half *= 8) {
        double* out = target(8 * half);
        StageTriple<L, I>(inScratch ? scratch : d, out, points, half);
        inScratch = out == scratch;
    }
    for (; 4 * half <= points; half *= 4) {
        double* out = target(4 * half);
        StagePair<L, I>(inScratch ? scratch : d, out, points, half);
        inScratch = out == scratch;
    }
    if (inScratch) std::memcpy(d, scratch, 2 * points * sizeof(double));
    for (; half < points; half *= 2)
        Stage<L, I>(d, points, half);
}

template <typename L, bool I>
[[gnu::always_inline]] inline void AllStages(double* d, std::size_t points, int log2Points,
                                             double sign) {
    if (points >= 4 && log2Points <= kFFTTableLog2) {
        TableStages<L, I>(d, points, log2Points);
        return;
    }
    BitReverse(d, points, log2Points);
    std::size_t half = 1;
    if (points >= 4) {
        StagePair<Lanes2, I>(d, d, points, 1);
        half = 4;
    }
    for (; 8 * half <= points && 4 * half < kFFTTablePoints; half *= 8) {
        StageTriple<L, I>(d, d, points, half);
    }
    for (; 4 * half <= points && 2 * half < kFFTTablePoints; half *= 4) {
        StagePair<L, I>(d, d, points, half);
    }
    for (; half < points; half *= 2) {
        if (half == 1) {
            Stage<Lanes2, I>(d, points, half);
        } else if (half < kFFTTablePoints) {
            Stage<L, I>(d, points, half);
        } else {
            RecurrenceStage(d, points, half, sign);
        }
    }
}

template <typename L>
[[gnu::always_inline]] inline void AllStagesFor(double* d, std::size_t points, int log2Points,
                                                double sign) {
    if (sign < 0) {
        AllStages<L, true>(d, points, log2Points, sign);
    } else {
        AllStages<L, false>(d, points, log2Points, sign);
    }
}

void PlainStages(double* d, std::size_t points, int log2Points, double sign) {
    AllStagesFor<Lanes2>(d, points, log2Points, sign);
}

// The 256- and 512-bit builds exist on x86 only; elsewhere every transform runs the plain one.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void WideStages(double* d, std::size_t points, int log2Points,
                                                double sign) {
    AllStagesFor<Lanes4>(d, points, log2Points, sign);
}
__attribute__((target("avx512f"))) void WidestStages(double* d, std::size_t points, int log2Points,
                                                     double sign) {
    AllStagesFor<Lanes8>(d, points, log2Points, sign);
}
bool WideSupported() {
    return __builtin_cpu_supports("avx2");
}
bool WidestSupported() {
    return __builtin_cpu_supports("avx512f");
}
#else
void WideStages(double* d, std::size_t points, int log2Points, double sign) {
    PlainStages(d, points, log2Points, sign);
}
void WidestStages(double* d, std::size_t points, int log2Points, double sign) {
    PlainStages(d, points, log2Points, sign);
}
bool WideSupported() {
    return false;
}
bool WidestSupported() {
    return false;
}
#endif

}  // namespace

bool FFTWideAvailable() {
    static const bool available = WideSupported();
    return available;
}

bool FFTWidestAvailable() {
    static const bool available = WidestSupported();
    return available;
}

void FFTButterflies(FFTVariant variant, double* d, std::size_t points, int log2Points,
                    double sign) {
    const bool widest =
        (variant == FFTVariant::Auto || variant == FFTVariant::Widest) && FFTWidestAvailable();
    if (widest) {
        WidestStages(d, points, log2Points, sign);
    } else if (variant != FFTVariant::Plain && FFTWideAvailable()) {
        WideStages(d, points, log2Points, sign);
    } else {
        PlainStages(d, points, log2Points, sign);
    }
}

}  // namespace linelab
