#pragma once
// Filtering is the complex product of two spectra, bin by bin, on the interleaved layout.
// One kernel serves every filtering step; the variants only differ in where the product goes.

#include "common/Signal.h"

namespace linelab {

// out = h x x over all 2048 bins. out may not alias h or x.
void ComplexProduct(const Signal& h, const Signal& x, Signal& out);

// The same product, also copied into copy in the same pass (the copy is later transformed
// back to the time domain while out keeps the spectrum).
void ComplexProductWithCopy(const Signal& h, const Signal& x, Signal& out, Signal& copy);

// The same product, also added to sum in the same pass (noise joins the received signal).
void ComplexProductAndAdd(const Signal& h, const Signal& x, Signal& out, Signal& sum);

}  // namespace linelab
