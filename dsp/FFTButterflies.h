#pragma once
// The butterfly stages of the transform, in three builds: one for every processor, and ones
// with 256-bit and 512-bit vectors for processors that have them. All do the same
// arithmetic lane by lane, so their results are identical bit for bit.

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/Reporter.h"

namespace linelab {

enum class FFTVariant { Auto, Plain, Wide, Widest };

// True when this processor can run the Wide variant.
bool FFTWideAvailable();
// True when this processor can run the Widest (512-bit) variant.
bool FFTWidestAvailable();

// The bit-reversal reordering and all radix-2 stages over d (2 * points doubles, points =
// 2^log2Points, in natural order). sign is
// +1 for the forward direction, -1 for the inverse. Auto picks the widest build available;
// Wide or Widest on a processor without it runs the next narrower one (Widest: Plain).
void FFTButterflies(FFTVariant variant, double* d, std::size_t points, int log2Points, double sign);

// FFT (nrFFT.h) with a chosen build of the stages, so both can be checked and timed.
void FFTWithVariant(FFTVariant variant, std::span<double> dData, int32_t lCount, bool bInverse,
                    bool bSkip, Reporter* reporter = nullptr);

}  // namespace linelab
