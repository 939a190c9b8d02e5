#include "receiver/ComplexProduct.h"

namespace linelab {

void ComplexProduct(const Signal& h, const Signal& x, Signal& out) {
    for (int i = 0; i < kSignalFloats; i += 2) {
        out[i] = h[i] * x[i] - h[i + 1] * x[i + 1];
        out[i + 1] = h[i] * x[i + 1] + h[i + 1] * x[i];
    }
}

void ComplexProductWithCopy(const Signal& h, const Signal& x, Signal& out, Signal& copy) {
    for (int i = 0; i < kSignalFloats; i += 2) {
        const double re = h[i] * x[i] - h[i + 1] * x[i + 1];
        const double im = h[i] * x[i + 1] + h[i + 1] * x[i];
        out[i] = re;
        out[i + 1] = im;
        copy[i] = re;
        copy[i + 1] = im;
    }
}

}  // namespace linelab
