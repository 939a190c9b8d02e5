#pragma once
// Additive Gaussian noise of the channel. Its level follows the measured transmit energy, and
// it passes through the receive filter only.

#include "common/Reporter.h"
#include "common/RunState.h"
#include "common/Signal.h"
#include "common/Uniform.h"

namespace linelab {

// Largest noise level in W/kHz that a typed text can ask for. A thousand times the top list
// entry is already pure noise at any setting; the limit keeps sigma, and every sample
// after it, finite whatever number is typed.
inline constexpr double kMaxNoiseLevel = 1e6;

// Largest noise standard deviation. Reached only when the reference energy itself is out of
// all proportion; it keeps the drawn samples and their spectrum finite.
inline constexpr double kMaxNoiseSigma = 1e12;

// The noise level N in W/kHz for the noise setting's number: 0 when it is not positive, else
// the number limited to kMaxNoiseLevel. (A hidden noise box adds no noise: the form model's
// business.)
double NoiseLevel(double typedLevel);

// sigma = sqrt(N * P) * dBaudRate / sqrt 2, limited to kMaxNoiseSigma.
double NoiseSigma(double level, double energyPerSlot, double dBaudRate);

// Fills all 2048 complex samples of noise with Gaussian pairs of deviation sigma by the polar
// method: the real part from the first uniform of the accepted pair, the imaginary part from
// the second.
void DrawGaussianPairs(Signal& noise, double sigma, Uniform& rng);

// Transmitted energy per symbol slot: the energy of a time-domain waveform over its 128
// slots (sum of squared parts / 128).
double EnergyPerSlot(const Signal& timeData);

// The run's own transmitted energy per slot: its transmit-filter output waveform formed
// into dTxWaveform (FormTransmitWaveform) and measured.
double RunEnergyPerSlot(RunState& state, Reporter* reporter);

// The noise step of a run with level N > 0 and the reference energy per slot P (the run's
// own, or a fixed density's): noise drawn into dNoise, transformed, filtered by dRxResponse
// into dRxNoiseSpectrum and added to the spectrum in dRxTimeData.
void AddNoise(RunState& state, double level, double energyPerSlot, Reporter* reporter);

}  // namespace linelab
