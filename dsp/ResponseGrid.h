#pragma once
// Helpers shared by the responses of the design pass, all built on the grid of 2048 bins
// where bin k is k/128 of the symbol rate and bins 1025..2047 mirror bins 1023..1.

#include <cmath>

#include "common/Signal.h"

namespace linelab {

// Bin 1024 is half the sampling rate, the last bin that is not a mirror image.
inline constexpr int kHalfBins = kPoints / 2;

// Completes a response built in bins 0..1024 (real part of bin k at 2k, imaginary part at
// 2k + 1): bins 1025..2047 become the conjugates of bins 1023..1, so a real pulse stays
// real. Bin 1024 is its own mirror, so its imaginary part ends up negated, as it always
// has been.
inline void MirrorHalfSpectrum(Signal& s) {
    for (int k = 1; k <= kHalfBins; ++k) {
        s[2 * (kPoints - k)] = s[2 * k];
        s[2 * (kPoints - k) + 1] = -s[2 * k + 1];
    }
}

}  // namespace linelab
