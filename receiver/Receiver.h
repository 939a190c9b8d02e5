#pragma once
// The receive half of a tick: the filtering chain, noise, echo, inversion, sampling,
// decisions, decoding, the bit error rate and its caption.

#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "ports/TickPorts.h"

namespace linelab {

// Runs after the transmit half has filled dTxImpulses (the run's spectrum), dRxSpectrum and
// dRxTimeData. Forms what the shown panels need (transmit and channel waveforms, spectrum
// averages); the decisions and the bit error rate never depend on what is shown.
void ReceiveHalf(RunState& state, const LinkConfig& config, const TickPorts& ports);

// Rescales the decision thresholds from the slider vscThreshold, keeping the pattern that
// identifies the format class; may force the slider to 99 through the controls.
// The thresholds the decisions compare with: the midway set when chosen and formed, else the
// thresholds as set (dThresholds).
const Thresholds& DecisionThresholds(const RunState& state, const LinkConfig& config);

void SetThresholds(RunState& state, ControlWriter& controls, Reporter& reporter);

}  // namespace linelab
