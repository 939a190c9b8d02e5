#include "receiver/FilterChain.h"

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"

namespace linelab {

void FormTransmitWaveform(RunState& s, Reporter* reporter) {
    ComplexProductWithCopy(s.responses.dTxResponse, s.dTxImpulses, s.dTxSpectrum, s.dTxWaveform);
    FFT(s.dTxWaveform, kPoints, true, false, reporter);
}

}  // namespace linelab
