#pragma once
// The sampling instant: one sample of the received waveform per symbol slot.

#include <vector>

#include "common/LinkConfig.h"
#include "common/Signal.h"

namespace linelab {

// The sample of slot k (0..127) at offset v half-samples (the sampling slider's value) from the
// slot's impulse position. Even v takes one real part, odd v the mean of two neighbours.
// Offsets never wrap around the run: before the start they fall back to the slot's own
// impulse position, past complex sample 2032 they stay at its end. Any int v is safe.
double SampleSlot(const Signal& timeData, int k, int v);

// One instant of a slot's decision sample: a complex-sample offset from the slot's own
// impulse position (16 k) and the weight its real part enters with.
struct SampleTerm {
    int rel;
    double weight;
    friend bool operator==(const SampleTerm&, const SampleTerm&) = default;
};
using SamplePattern = std::vector<SampleTerm>;

// Slot k's decision sample at offset v as the received chain forms it: the instants
// SampleSlot reads (with its clamps), their echoes where the echo reaches (sample n takes
// n + delay only for n <= 2047 - delay), the sign of the inversion; equal offsets merged,
// in order of offset. The decision sample is sum of weight x Re(x[16 k + rel]) over the
// waveform x before the echo.
SamplePattern SlotSamplePattern(int k, int v, const Echo& echo, bool invert);

}  // namespace linelab
