#include "ui/BerCounts.h"

#include "receiver/BitErrorRate.h"

namespace linelab {

void BerCounts::AfterTick(const RunState& s) {
    if (s.lBERRuns == 1) {
        errors_ = 0;
        bits_ = 0;
    }
    // The rate compares data bits 8..last, bit k against bit k.
    constexpr int kFirst = 8;
    const int last = LastComparedBit(s.iCodeBaud);
    for (int k = kFirst; k <= last; ++k)
        errors_ += s.iRxData[static_cast<std::size_t>(k)] != s.iData[static_cast<std::size_t>(k)];
    bits_ += static_cast<uint64_t>(last - kFirst + 1);
}

}  // namespace linelab
