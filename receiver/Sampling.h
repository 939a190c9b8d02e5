#pragma once
// The sampling instant: one sample of the received waveform per symbol slot.

#include "common/Signal.h"

namespace linelab {

// The sample of slot k (0..127) at offset v half-samples (the value of hscSample) from the
// slot's impulse position. Even v takes one real part, odd v the mean of two neighbours.
// Offsets never wrap around the run: before the start they fall back to the slot's own
// impulse position, past complex sample 2032 they stay at its end. Any int v is safe.
double SampleSlot(const Signal& timeData, int k, int v);

}  // namespace linelab
