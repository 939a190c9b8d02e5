#include "receiver/BitErrorRate.h"

#include "common/TextNumber.h"

namespace linelab {
namespace {

inline constexpr int kFirstComparedBit = 8;

}  // namespace

int LastComparedBit(int16_t iCodeBaud) {
    // The time scales are 12, 24 or 15; should any other value arrive, the range is kept
    // inside the bit arrays and never empty, so the rate stays a number.
    if (iCodeBaud <= 0) return kFirstComparedBit;
    const int last = CInt(1536.0 / iCodeBaud - 9);
    if (last < kFirstComparedBit) return kFirstComparedBit;
    return last < kBits ? last : kBits - 1;
}

RunErrors CountRunErrors(const Bits& received, const Bits& sent, int16_t iCodeBaud) {
    const int last = LastComparedBit(iCodeBaud);
    RunErrors counts{0, last - kFirstComparedBit + 1};
    for (int k = kFirstComparedBit; k <= last; ++k)
        counts.errors += received[k] != sent[k] ? 1 : 0;
    return counts;
}

double RunErrorRate(const Bits& received, const Bits& sent, int16_t iCodeBaud) {
    const RunErrors counts = CountRunErrors(received, sent, iCodeBaud);
    return static_cast<double>(counts.errors) / counts.bits;
}

void AccumulateBer(RunState& s, double runBer) {
    s.dBER = (runBer + s.lBERRuns * s.dBER) / (s.lBERRuns + 1.0);
    s.lBERRuns = NextCount(s.lBERRuns);
}

}  // namespace linelab
