#pragma once
// The transmit-filter stage as the link needs it: its output waveform, on which the noise
// measures the run's transmitted energy. The received waveform never passes through here; it
// comes from the single product with the total response made by the transmit half. The
// transmit and channel stages the panels show are formed by their views after the tick
// (display/StageProducts.h), so nothing here depends on what is shown.

#include "common/Reporter.h"
#include "common/RunState.h"

namespace linelab {

// dTxSpectrum = dTxResponse x dTxImpulses, and its copy transformed to the time domain in
// dTxWaveform. The spectrum comes with the copy in the same pass, so a view of the transmit
// stage takes both rather than forming the product again.
void FormTransmitWaveform(RunState& state, Reporter* reporter);

}  // namespace linelab
