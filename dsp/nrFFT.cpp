#include "dsp/nrFFT.h"

#include <cstddef>
#include <cstdint>

#include "dsp/FFTButterflies.h"

namespace linelab {
namespace {

// log2 of lCount when it is a power of two of at least 2, else -1. p is 64-bit so that the
// doubling cannot overflow for counts near the 32-bit maximum.
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

void FFTWithVariant(FFTVariant variant, std::span<double> dData, int32_t lCount, bool bInverse,
                    bool bSkip, Reporter* reporter) {
    if (bSkip) return;
    const int log2Points = PowerOfTwoLog2(lCount);
    if (log2Points < 0) {
        if (reporter != nullptr) reporter->Report(Fault::TransformLength);
        return;
    }
    const auto points = static_cast<std::size_t>(lCount);
    // A buffer shorter than the count is a caller's error; refusing it keeps the transform
    // from writing past the end.
    if (dData.size() / 2 < points) return;

    double* d = dData.data();
    FFTButterflies(variant, d, points, log2Points, bInverse ? -1.0 : 1.0);
    if (bInverse) {
        // Multiplying by the reciprocal of a power of two rounds exactly as dividing does.
        const double scale = 1.0 / static_cast<double>(lCount);
        for (std::size_t i = 0; i < 2 * points; ++i)
            d[i] *= scale;
    }
}

void FFT(std::span<double> dData, int32_t lCount, bool bInverse, bool bSkip, Reporter* reporter) {
    FFTWithVariant(FFTVariant::Auto, dData, lCount, bInverse, bSkip, reporter);
}

}  // namespace linelab
