#pragma once
// The receive half of a tick: the filtering chain with its eyes and spectra, noise, echo,
// inversion, sampling, decisions, decoding, the bit error rate and its caption.

#include "common/RunState.h"
#include "common/Settings.h"
#include "ports/Host.h"

namespace linelab {

// Runs after the transmit half has filled dTxImpulses (the run's spectrum), dRxSpectrum and
// dRxTimeData. Draws only the checked panels, through the host.
void ReceiveHalf(RunState& state, const Settings& settings, Host& host);

// Rescales the decision thresholds from the slider vscThreshold, keeping the pattern that
// identifies the format class; may force the slider to 99 through the host.
void SetThresholds(RunState& state, Host& host);

}  // namespace linelab
