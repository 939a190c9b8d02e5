#pragma once
// The bit error rate of a run and its running mean over runs.

#include <cstdint>

#include "common/RunState.h"

namespace linelab {

// The last compared data bit for a code-bit time scale: CInt(1536 / iCodeBaud - 9), that is
// 119, 55 or 93 for 12, 24 or 15.
int LastComparedBit(int16_t iCodeBaud);

// The data bits 8..last of a run compared bit k against bit k (no delay): how many, and how
// many of them were received wrongly. Every count of errors is made here.
struct RunErrors {
    int errors = 0;
    int bits = 0;
};
RunErrors CountRunErrors(const Bits& received, const Bits& sent, int16_t iCodeBaud);

// The fraction of data bits 8..last received wrongly.
double RunErrorRate(const Bits& received, const Bits& sent, int16_t iCodeBaud);

// Folds the run's rate into the running mean: every run weighs the same; with lBERRuns at 0
// the run's rate replaces the old mean.
void AccumulateBer(RunState& state, double runBer);

}  // namespace linelab
