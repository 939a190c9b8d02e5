#pragma once
// The display side of the filtering chain: the transmit-filter and channel products and the
// transmit and channel eyes and spectra. The received waveform never passes through here; it
// comes from the single product with the total response made by the transmit half.

#include "common/RunState.h"
#include "common/Settings.h"
#include "ports/TickPorts.h"

namespace linelab {

// The transmit eye scale for a position of vscTxEyeScale: 1.5 at 0, 4.5 at 100.
double TxEyeScale(int vscTxEyeScale);

// Forms dTxFilterSpectrum (and its copy dTxTimeData) when a transmit or channel panel or the
// noise needs it, then updates the averages of the checked transmit and channel spectra and
// draws the checked transmit and channel panels. Returns true when
// dTxTimeData now holds the time-domain waveform of this run (the transmit eye transformed
// it), so the noise need not transform it again.
bool RunTransmitAndChannelPanels(RunState& state, const Settings& settings, const TickPorts& ports,
                                 bool noiseOn);

}  // namespace linelab
