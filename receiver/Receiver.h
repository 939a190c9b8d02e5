#pragma once
// The receive half of a tick: the filtering chain, noise, echo, inversion, sampling,
// decisions, decoding and the run's error count.

#include <cstddef>

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "common/RunState.h"
#include "receiver/BitErrorRate.h"

namespace linelab {

// What the receive half found: the threshold slider position it set the thresholds from
// (see SetThresholds) and the run's compared and wrong data bits.
struct ReceivedRun {
    int thresholdSlider = 0;
    RunErrors errors;
};

// The receive half in its two parts. The first runs after the transmit half has filled
// dTxImpulses (the run's spectrum), dRxSpectrum and dRxTimeData: the received waveform
// (noise, echo, inversion), with the transmit waveform when the noise measures it. The
// second sets the thresholds from the slider, decides, decodes and counts the run's errors.
// Neither reads what is shown: the transmit and channel stages the panels show are the
// views' (display/StageProducts.h).
void FormReceivedWaveform(RunState& state, const LinkConfig& config, Reporter& reporter);
ReceivedRun DecideAndDecode(RunState& state, const LinkConfig& config, int thresholdSlider,
                            Reporter& reporter);
// Both parts in turn.
ReceivedRun ReceiveHalf(RunState& state, const LinkConfig& config, int thresholdSlider,
                        Reporter& reporter);

// The thresholds the decisions compare with: the midway set when chosen and formed, else the
// thresholds as set (dThresholds).
const Thresholds& DecisionThresholds(const RunState& state, const LinkConfig& config);

// Rescales the decision thresholds from the slider position `slider`, keeping the pattern
// that identifies the format class. Returns the position used: a multi-threshold pattern at
// 100 would collapse to all zeros and be taken for a one-threshold format next time, so 99 is
// used instead, and the owner's slider must be moved there.
int SetThresholds(RunState& state, int slider, Reporter& reporter);

}  // namespace linelab
