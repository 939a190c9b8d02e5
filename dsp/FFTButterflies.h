#pragma once
// The butterfly stages of the transform, in two builds: one for every processor, and one
// with 256-bit vectors for processors that have them. Both do the same arithmetic lane by
// lane, so their results are identical bit for bit.

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/Reporter.h"

namespace linelab {

enum class FFTVariant { Auto, Plain, Wide };

// True when this processor can run the Wide variant.
bool FFTWideAvailable();

// All radix-2 stages over d, already in bit-reversed order (2 * points doubles). sign is
// +1 for the forward direction, -1 for the inverse. Auto picks Wide where available; Wide
// on a processor without it runs Plain.
void FFTButterflies(FFTVariant variant, double* d, std::size_t points, double sign);

// FFT (nrFFT.h) with a chosen build of the stages, so both can be checked and timed.
void FFTWithVariant(FFTVariant variant, std::span<double> dData, int32_t lCount, bool bInverse,
                    bool bSkip, Reporter* reporter = nullptr);

}  // namespace linelab
