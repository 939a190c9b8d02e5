#include <span>

#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// Symbols are 16 complex samples apart, so the impulse train repeats its 128 values with
// 15 zero samples between them, and its 2048-point spectrum is the 128-point spectrum of
// the impulses alone, repeated 16 times. The transform sees the same butterflies either way
// (the extra stages only add zeros), so the values are the same, at an eighth of the work.
constexpr int kSamplesPerSymbol = kPoints / kSymbols;

void ImpulseTrainSpectrum(RunState& state, double dScale, Reporter* reporter) {
    Signal& x = state.dTxImpulses;
    for (int i = 0; i < kSymbols; ++i) {
        const int weight = 16 * state.iModData[i];  // formed as a whole number first
        x[2 * i] = weight * dScale;
        x[2 * i + 1] = 0.0;
    }
    FFT(std::span<double>(x.data(), 2 * kSymbols), kSymbols, false, false, reporter);
    for (int k = kSymbols; k < kPoints; ++k) {
        x[2 * k] = x[2 * (k % kSymbols)];
        x[2 * k + 1] = x[2 * (k % kSymbols) + 1];
    }
}

}  // namespace

void BuildPulseTrain(RunState& state, double dScale, Reporter* reporter) {
    static_assert(kSamplesPerSymbol * kSymbols == kPoints);
    ImpulseTrainSpectrum(state, dScale, reporter);
    // Both copies in one pass: the spectrum stays, the time copy is transformed back later.
    ComplexProductWithCopy(state.responses.dTotalResponse, state.dTxImpulses, state.dRxSpectrum,
                           state.dRxTimeData);
}

}  // namespace linelab
