#pragma once
// A single echo on the received waveform: a scaled copy of the run, advanced by a whole
// number of samples, added to the real parts.

#include "common/LinkConfig.h"
#include "common/Signal.h"

namespace linelab {

// Largest echo gain a typed magnitude can give (100000 %). An echo a thousand times the
// direct path is far beyond any lesson; the limit keeps every sample finite.
inline constexpr double kMaxEchoGain = 1000.0;

// The echo gain for the echo's magnitude in per cent: / 100, 0 when not positive, limited to
// kMaxEchoGain.
double EchoGain(double magnitudePercent);

// The echo delay in complex samples for the echo's delay in symbols: Int(16 * delay + 0.5),
// limited to 0..2048. A typed negative delay would read before the start of the run,
// so it counts as 0; 2048 (a delay of a whole run or more) leaves no sample to echo.
int EchoDelay(double delaySymbols);

// Real part of sample n += gain * real part of sample n + delay, for n = 0 .. 2047 - delay,
// using values as they stood before the loop. Nothing wraps around.
void AddEcho(Signal& timeData, double gain, int delay);

// The echo step of a run: applied only when its gain is greater than 0.
void ApplyMultipath(Signal& timeData, const Echo& echo);

}  // namespace linelab
