#pragma once
// The transmit-filter and channel stages that feed the transmit and channel eyes and spectra.
// The received waveform never passes through here; it comes from the single product with the
// total response made by the transmit half.

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "common/RunState.h"

namespace linelab {

// Forms dTxFilterSpectrum (and its copy dTxTimeData) when a transmit or channel panel or the
// noise needs it, dChannelSpectrum when a channel panel does, and the time-domain waveforms
// of the fed eyes. The spectrum views average these after the tick. Returns true when
// dTxTimeData now holds the time-domain waveform of this run (the transmit eye transformed
// it), so the noise need not transform it again.
bool FormTransmitAndChannelStages(RunState& state, const LinkConfig& config, bool noiseOn,
                                  Reporter& reporter);

}  // namespace linelab
