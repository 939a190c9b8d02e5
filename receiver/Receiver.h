#pragma once
// The receive half of a tick: the filtering chain with its eyes and spectra, noise, echo,
// inversion, sampling, decisions, decoding, the bit error rate and its caption.

#include "common/RunState.h"
#include "common/Settings.h"
#include "ports/TickPorts.h"

namespace linelab {

// Runs after the transmit half has filled dTxImpulses (the run's spectrum), dRxSpectrum and
// dRxTimeData. Updates the spectrum averages of the checked spectrum panels and draws only
// the checked panels.
void ReceiveHalf(RunState& state, const Settings& settings, const TickPorts& ports);

// Rescales the decision thresholds from the slider vscThreshold, keeping the pattern that
// identifies the format class; may force the slider to 99 through the controls.
void SetThresholds(RunState& state, ControlWriter& controls, Reporter& reporter);

}  // namespace linelab
