#include "dsp/ComplexProduct.h"

namespace linelab {
namespace {

// The one product loop; store(i, re, im) puts bin i/2 where the variant wants it. Writing
// every destination in the same pass is much faster than copying a buffer of the run state
// into its neighbour afterwards.
template <typename Store>
inline void ForEachProduct(const Signal& h, const Signal& x, Store store) {
    for (int i = 0; i < kSignalFloats; i += 2) {
        const double re = h[i] * x[i] - h[i + 1] * x[i + 1];
        const double im = h[i] * x[i + 1] + h[i + 1] * x[i];
        store(i, re, im);
    }
}

}  // namespace

void ComplexProduct(const Signal& h, const Signal& x, Signal& out) {
    ForEachProduct(h, x, [&out](int i, double re, double im) {
        out[i] = re;
        out[i + 1] = im;
    });
}

void ComplexProductWithCopy(const Signal& h, const Signal& x, Signal& out, Signal& copy) {
    ForEachProduct(h, x, [&out, &copy](int i, double re, double im) {
        out[i] = re;
        out[i + 1] = im;
        copy[i] = re;
        copy[i + 1] = im;
    });
}

void ComplexProductAndAdd(const Signal& h, const Signal& x, Signal& out, Signal& sum) {
    ForEachProduct(h, x, [&out, &sum](int i, double re, double im) {
        out[i] = re;
        out[i + 1] = im;
        sum[i] += re;
        sum[i + 1] += im;
    });
}

}  // namespace linelab
