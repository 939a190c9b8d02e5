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

// Stages half and 2 * half together on the values at k, k + half, k + 2 half, k + 3 half,
// kept in registers between the two. Every butterfly of the second stage needs only
// outputs of the first from the same four values, so the result is that of running the
// stages one after the other; the butterflies within a stage are independent, so visiting
// them block by block changes nothing either.
template <typename L, bool I>
[[gnu::always_inline]] inline void StagePair(double* d, std::size_t points, std::size_t half) {
    using V = typename L::V;
    const SpreadTwiddles tw1 = StageSpreadTwiddles(half);
    const SpreadTwiddles tw2 = StageSpreadTwiddles(2 * half);
    for (std::size_t block = 0; block < points; block += 4 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            double* p0 = d + 2 * (block + m);
            double* p1 = p0 + 2 * half;
            double* p2 = p1 + 2 * half;
            double* p3 = p2 + 2 * half;
            V a, b, c, e, wr, nwi;
            Load<L>(a, p0);
            Load<L>(b, p1);
            Load<L>(c, p2);
            Load<L>(e, p3);
            LoadTwiddles<L>(tw1, m, wr, nwi);
            Butterfly<L, I>(a, b, wr, nwi);
            Butterfly<L, I>(c, e, wr, nwi);
            LoadTwiddles<L>(tw2, m, wr, nwi);
            Butterfly<L, I>(a, c, wr, nwi);
            LoadTwiddles<L>(tw2, m + half, wr, nwi);
            Butterfly<L, I>(b, e, wr, nwi);
            Store<L>(p0, a);
            Store<L>(p1, b);
            Store<L>(p2, c);
            Store<L>(p3, e);
        }
    }
}

// Stages half, 2 half and 4 half together on eight values k + j half (j = 0..7), kept in
// registers across the three: a third fewer passes over the data than in pairs, with every
// butterfly the same operations on the same inputs, so the same results bit for bit.
template <typename L, bool I>
[[gnu::always_inline]] inline void StageTriple(double* d, std::size_t points, std::size_t half) {
    using V = typename L::V;
    const SpreadTwiddles tw1 = StageSpreadTwiddles(half);
    const SpreadTwiddles tw2 = StageSpreadTwiddles(2 * half);
    const SpreadTwiddles tw3 = StageSpreadTwiddles(4 * half);
    for (std::size_t block = 0; block < points; block += 8 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            double* p = d + 2 * (block + m);
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
            Store<L>(p, x0);
            Store<L>(p + h, x1);
            Store<L>(p + 2 * h, x2);
            Store<L>(p + 3 * h, x3);
            Store<L>(p + 4 * h, x4);
            Store<L>(p + 5 * h, x5);
            Store<L>(p + 6 * h, x6);
            Store<L>(p + 7 * h, x7);
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
template <typename L, bool I>
[[gnu::always_inline]] inline void AllStages(double* d, std::size_t points, double sign) {
    std::size_t half = 1;
    if (points >= 4) {
        StagePair<Lanes2, I>(d, points, 1);
        half = 4;
    }
    for (; 8 * half <= points && 4 * half < kFFTTablePoints; half *= 8) {
        StageTriple<L, I>(d, points, half);
    }
    for (; 4 * half <= points && 2 * half < kFFTTablePoints; half *= 4) {
        StagePair<L, I>(d, points, half);
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
[[gnu::always_inline]] inline void AllStagesFor(double* d, std::size_t points, double sign) {
    if (sign < 0) {
        AllStages<L, true>(d, points, sign);
    } else {
        AllStages<L, false>(d, points, sign);
    }
}

void PlainStages(double* d, std::size_t points, double sign) {
    AllStagesFor<Lanes2>(d, points, sign);
}

// The 256- and 512-bit builds exist on x86 only; elsewhere every transform runs the plain one.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void WideStages(double* d, std::size_t points, double sign) {
    AllStagesFor<Lanes4>(d, points, sign);
}
__attribute__((target("avx512f"))) void WidestStages(double* d, std::size_t points,
                                                     double sign) {
    AllStagesFor<Lanes8>(d, points, sign);
}
bool WideSupported() {
    return __builtin_cpu_supports("avx2");
}
bool WidestSupported() {
    return __builtin_cpu_supports("avx512f");
}
#else
void WideStages(double* d, std::size_t points, double sign) {
    PlainStages(d, points, sign);
}
void WidestStages(double* d, std::size_t points, double sign) {
    PlainStages(d, points, sign);
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

void FFTButterflies(FFTVariant variant, double* d, std::size_t points, double sign) {
    const bool widest = (variant == FFTVariant::Auto || variant == FFTVariant::Widest) &&
                        FFTWidestAvailable();
    if (widest) {
        WidestStages(d, points, sign);
    } else if (variant != FFTVariant::Plain && FFTWideAvailable()) {
        WideStages(d, points, sign);
    } else {
        PlainStages(d, points, sign);
    }
}

}  // namespace linelab
