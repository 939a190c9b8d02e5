#pragma once
// The readout under the BER caption: the count behind the rate and how far to trust it.

#include <cstdint>
#include <string>

#include "analysis/BlockInterval.h"

namespace linelab {

// "37 errors in 30,720 bits, 95 %: 0.85e-3 to 1.66e-3": both ends of the exact 95 %
// interval in the power of ten of the upper end, so they read side by side. With no error
// only the upper end means anything: "0 errors in 1,000,000 bits, below 3.7e-6 at 95 %".
// With no bit compared yet: "0 errors in 0 bits".
std::string BerCountText(uint64_t errors, uint64_t bits);

// The same with the interval given, and after it how it was formed, as the CSV names it:
// "37 errors in 30,720 bits, 95 %: 0.85e-3 to 1.66e-3 (blocks)", "... below 3.7e-6 at 95 %
// (exact)". With no bit compared yet the count alone, as above.
std::string BerCountText(uint64_t errors, uint64_t bits, const RateInterval& interval);

// The line under the BER caption: the count as above, led by the rate it measures where the
// caption (four decimals, truncated) cannot show it, errors having been counted: "3.6e-6: 32
// errors in 8,997,632 bits, 95 %: ...".
std::string BerCountLine(uint64_t errors, uint64_t bits, const RateInterval& interval);

// A rate with two significant digits and its power of ten: 3.6e-6.
std::string RateText(double rate);

// A count with a comma between groups of three digits: 30720 gives "30,720".
std::string GroupedCount(uint64_t count);

}  // namespace linelab
