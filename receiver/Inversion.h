#pragma once
// Polarity inversion of the received waveform.

#include "common/Signal.h"

namespace linelab {

// Negates all 4096 values of the waveform.
void Invert(Signal& timeData);

}  // namespace linelab
