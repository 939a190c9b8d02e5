#include "receiver/Noise.h"

#include <array>
#include <cmath>

#include "common/Tables.h"
#include "common/TextNumber.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "receiver/FilterChain.h"

namespace linelab {

// Four running sums, one per position modulo 4, so that the additions do not wait for each
// other; they are added up in a fixed order, so the result is the same in every run.
double EnergyPerSlot(const Signal& timeData) {
    double sum[4] = {0, 0, 0, 0};
    for (int i = 0; i < kSignalFloats; i += 4) {
        for (int lane = 0; lane < 4; ++lane)
            sum[lane] += timeData[i + lane] * timeData[i + lane];
    }
    return ((sum[0] + sum[1]) + (sum[2] + sum[3])) / kSymbols;
}

double NoiseLevel(double typedLevel) {
    const double level = typedLevel;
    if (!(level > 0)) return 0;
    return level < kMaxNoiseLevel ? level : kMaxNoiseLevel;
}

double NoiseSigma(double level, double energyPerSlot, double dBaudRate) {
    const double sigma = std::sqrt(level * energyPerSlot) * dBaudRate / kSqrt2;
    if (std::isnan(sigma)) return 0;
    return sigma < kMaxNoiseSigma ? sigma : kMaxNoiseSigma;
}

void DrawGaussianPairs(Signal& noise, double sigma, Uniform& rng) {
    // Two passes. The first draws the accepted points of the unit disc, without a branch:
    // every candidate is written at the next free place, which moves on only when the point
    // is accepted. The second turns them into deviates: the logarithms first (a library call
    // each), then the divisions and square roots in a loop the compiler vectorises; both are
    // exact in every lane, so the deviates are bit for bit those of a single loop.
    int j = 0;
    while (j < kPoints) {
        const double x = 2.0 * rng.NextSingle() - 1.0;
        const double y = 2.0 * rng.NextSingle() - 1.0;
        const double s = y * y + x * x;
        noise[2 * j] = x;
        noise[2 * j + 1] = y;
        j += (s < 1 && s != 0) ? 1 : 0;
    }
    std::array<double, kPoints> logs;  // 16 kB on the stack: nothing allocated per run
    for (int k = 0; k < kPoints; ++k) {
        const double x = noise[2 * k];
        const double y = noise[2 * k + 1];
        logs[k] = std::log(y * y + x * x);
    }
    for (int k = 0; k < kPoints; ++k) {
        const double x = noise[2 * k];
        const double y = noise[2 * k + 1];
        const double s = y * y + x * x;
        const double f = std::sqrt(-2.0 * logs[k] / s);
        noise[2 * k] = x * f * sigma;
        noise[2 * k + 1] = y * f * sigma;
    }
}

double RunEnergyPerSlot(RunState& s, Reporter* reporter) {
    FormTransmitWaveform(s, reporter);
    return EnergyPerSlot(s.dTxWaveform);
}

void AddNoise(RunState& s, double level, double energyPerSlot, Reporter* reporter) {
    const double sigma = NoiseSigma(level, energyPerSlot, s.dBaudRate);
    DrawGaussianPairs(s.dNoise, sigma, s.rng);
    FFT(s.dNoise, kPoints, false, false, reporter);
    // dRxNoiseSpectrum = dRxResponse x dNoise, added to the received spectrum in dRxTimeData.
    ComplexProductAndAdd(s.responses.dRxResponse, s.dNoise, s.dRxNoiseSpectrum, s.dRxTimeData);
}

}  // namespace linelab
