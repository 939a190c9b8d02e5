#pragma once
// The count behind the running bit error rate: data bits received wrongly and data bits
// compared since the rate last restarted, in 64 bits (a fast run passes 2^32 bits in hours).

#include <cstdint>

#include "common/RunState.h"

namespace linelab {

class BerCounts {
  public:
    // After each tick: the run's compared bits, exactly those the rate is taken over. A
    // run count of 1 means the rate restarted before this run (every restart sets it to 0
    // and the tick's accumulation makes it 1; a saturated count never comes back to 1), so
    // the counts restart with it.
    void AfterTick(const RunState& state);

    uint64_t Errors() const { return errors_; }
    uint64_t Bits() const { return bits_; }

  private:
    uint64_t errors_ = 0;
    uint64_t bits_ = 0;
};

}  // namespace linelab
