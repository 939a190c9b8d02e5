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
    ImpulseSpectrum(state.iModData, dScale, std::span<double, 2 * kSymbols>(x.data(), 2 * kSymbols),
                    reporter);
    for (int k = kSymbols; k < kPoints; ++k) {
        x[2 * k] = x[2 * (k % kSymbols)];
        x[2 * k + 1] = x[2 * (k % kSymbols) + 1];
    }
}

}  // namespace

void ImpulseSpectrum(std::span<const int16_t, kSymbols> iModData, double dScale,
                     std::span<double, 2 * kSymbols> spectrum, Reporter* reporter) {
    for (std::size_t i = 0; i < kSymbols; ++i) {
        const int weight = 16 * iModData[i];  // formed as a whole number first
        spectrum[2 * i] = weight * dScale;
        spectrum[2 * i + 1] = 0.0;
    }
    FFT(spectrum, kSymbols, false, false, reporter);
}

void BuildPulseTrain(RunState& state, double dScale, Reporter* reporter) {
    static_assert(kSamplesPerSymbol * kSymbols == kPoints);
    ImpulseTrainSpectrum(state, dScale, reporter);
    // Both copies in one pass: the spectrum stays, the time copy is transformed back later.
    ComplexProductWithCopy(state.responses.dTotalResponse, state.dTxImpulses, state.dRxSpectrum,
                           state.dRxTimeData);
}

}  // namespace linelab
