#pragma once
// The program's one transform: in-place radix-2 complex FFT on interleaved data.
//
//   bInverse false:  X[k] = sum_n x[n] e^(+j 2 pi n k / N)      (no scaling)
//   bInverse true:   x[n] = (1/N) sum_k X[k] e^(-j 2 pi n k / N)
//
// The time-to-frequency direction uses the positive exponent; every response built by the
// design pass is defined against this sign. Only elements 0 .. 2*lCount-1 are touched.

#include <cstdint>
#include <span>

#include "common/Reporter.h"

namespace linelab {

// A count that is not a power of two of at least 2 reports Fault::TransformLength (when a
// reporter is given) and leaves the data untouched. bSkip returns at once.
// The caller guarantees dData.size() >= 2 * lCount.
void FFT(std::span<double> dData, int32_t lCount, bool bInverse, bool bSkip,
         Reporter* reporter = nullptr);

}  // namespace linelab
