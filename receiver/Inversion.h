#pragma once
// Polarity inversion of the received waveform.

#include "common/Settings.h"
#include "common/Signal.h"

namespace linelab {

// True when the inversion applies: chkInvert visible and checked.
bool InversionApplies(const Settings& settings);

// Negates all 4096 values of the waveform.
void Invert(Signal& timeData);

}  // namespace linelab
