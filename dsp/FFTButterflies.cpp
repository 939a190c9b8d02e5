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

// Everything below is inlined into the two builds, so each is compiled for its processor.
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

// Twiddle m (and m + 1 with two lanes) of a stage as (wr, wr) and (-wi, wi); signs holds
// (-s, s), and negating the sine is exact, so the inverse twiddles are the recurrence's.
template <typename L>
[[gnu::always_inline]] inline void LoadTwiddles(const Twiddle* tw, std::size_t m,
                                                const typename L::V& signs, typename L::V& wr,
                                                typename L::V& nwi) {
    typename L::V w;
    std::memcpy(&w, tw + m, sizeof w);
    L::Re(w, wr);
    L::Im(w, nwi);
    nwi *= signs;
}

// The product of the upper value with the twiddle is taken from the lower one and added to
// it. Lane by lane these are exactly the operations of the classic scalar routine:
// wr*re + (-wi)*im equals wr*re - wi*im bit for bit.
template <typename L>
[[gnu::always_inline]] inline void Butterfly(typename L::V& lo, typename L::V& hi,
                                             const typename L::V& wr, const typename L::V& nwi) {
    typename L::V swapped;
    L::Swap(hi, swapped);
    const typename L::V t = wr * hi + nwi * swapped;
    hi = lo - t;
    lo = lo + t;
}

template <typename L>
[[gnu::always_inline]] inline void Signs(double sign, typename L::V& s) {
    for (std::size_t i = 0; i < 2 * L::kComplex; i += 2) {
        s[i] = -sign;
        s[i + 1] = sign;
    }
}

// Stages half and 2 * half together on the values at k, k + half, k + 2 half, k + 3 half,
// kept in registers between the two. Every butterfly of the second stage needs only
// outputs of the first from the same four values, so the result is that of running the
// stages one after the other; the butterflies within a stage are independent, so visiting
// them block by block changes nothing either.
template <typename L>
[[gnu::always_inline]] inline void StagePair(double* d, std::size_t points, std::size_t half,
                                             double sign) {
    using V = typename L::V;
    const Twiddle* tw1 = StageTwiddles(half);
    const Twiddle* tw2 = StageTwiddles(2 * half);
    V signs;
    Signs<L>(sign, signs);
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
            LoadTwiddles<L>(tw1, m, signs, wr, nwi);
            Butterfly<L>(a, b, wr, nwi);
            Butterfly<L>(c, e, wr, nwi);
            LoadTwiddles<L>(tw2, m, signs, wr, nwi);
            Butterfly<L>(a, c, wr, nwi);
            LoadTwiddles<L>(tw2, m + half, signs, wr, nwi);
            Butterfly<L>(b, e, wr, nwi);
            Store<L>(p0, a);
            Store<L>(p1, b);
            Store<L>(p2, c);
            Store<L>(p3, e);
        }
    }
}

// One stage of span half from the table.
template <typename L>
[[gnu::always_inline]] inline void Stage(double* d, std::size_t points, std::size_t half,
                                         double sign) {
    using V = typename L::V;
    const Twiddle* tw = StageTwiddles(half);
    V signs;
    Signs<L>(sign, signs);
    for (std::size_t block = 0; block < points; block += 2 * half) {
        for (std::size_t m = 0; m < half; m += L::kComplex) {
            double* lo = d + 2 * (block + m);
            double* hi = lo + 2 * half;
            V l, h, wr, nwi;
            Load<L>(l, lo);
            Load<L>(h, hi);
            LoadTwiddles<L>(tw, m, signs, wr, nwi);
            Butterfly<L>(l, h, wr, nwi);
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
            Butterfly<Lanes2>(l, h, wr, nwi);
            Store<Lanes2>(lo, l);
            Store<Lanes2>(hi, h);
        }
        w.Advance();
    }
}

// Stages in pairs where possible. The spans 1 and 2 always take one complex value per
// vector, since their butterflies do not come in neighbouring pairs.
template <typename L>
[[gnu::always_inline]] inline void AllStages(double* d, std::size_t points, double sign) {
    std::size_t half = 1;
    if (points >= 4) {
        StagePair<Lanes2>(d, points, 1, sign);
        half = 4;
    }
    for (; 4 * half <= points && 2 * half < kFFTTablePoints; half *= 4) {
        StagePair<L>(d, points, half, sign);
    }
    for (; half < points; half *= 2) {
        if (half == 1) {
            Stage<Lanes2>(d, points, half, sign);
        } else if (half < kFFTTablePoints) {
            Stage<L>(d, points, half, sign);
        } else {
            RecurrenceStage(d, points, half, sign);
        }
    }
}

void PlainStages(double* d, std::size_t points, double sign) {
    AllStages<Lanes2>(d, points, sign);
}

// The 256-bit build exists on x86 only; elsewhere every transform runs the plain one.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void WideStages(double* d, std::size_t points, double sign) {
    AllStages<Lanes4>(d, points, sign);
}
bool WideSupported() {
    return __builtin_cpu_supports("avx2");
}
#else
void WideStages(double* d, std::size_t points, double sign) {
    PlainStages(d, points, sign);
}
bool WideSupported() {
    return false;
}
#endif

}  // namespace

bool FFTWideAvailable() {
    static const bool available = WideSupported();
    return available;
}

void FFTButterflies(FFTVariant variant, double* d, std::size_t points, double sign) {
    if (variant != FFTVariant::Plain && FFTWideAvailable()) {
        WideStages(d, points, sign);
    } else {
        PlainStages(d, points, sign);
    }
}

}  // namespace linelab
