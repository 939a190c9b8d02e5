#include "ui/BerCounts.h"

#include "receiver/BitErrorRate.h"

namespace linelab {

void BerCounts::AfterTick(const RunState& s) {
    if (s.lBERRuns == 1) {
        errors_ = 0;
        bits_ = 0;
    }
    const RunErrors run = CountRunErrors(s.iRxData, s.iData, s.iCodeBaud);
    errors_ += static_cast<uint64_t>(run.errors);
    bits_ += static_cast<uint64_t>(run.bits);
}

}  // namespace linelab
