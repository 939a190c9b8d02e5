#include "analysis/LineSpectrum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "display/SpectrumAverage.h"
#include "transmit/LevelCorrelation.h"

namespace linelab {

// How the transmit spectrum comes about. Each run places one impulse of weight
// w_n = 16 * a_n * dScale every 16 samples (a_n the level of symbol n, n = 0..127), so its
// 2048-point transform is X(k) = sum_n w_n e^(+j 2 pi n k / 128), repeating every 128 bins,
// and the panel sees Y(k) = H(k) X(k) with H the transmit response (which already holds the
// rectangular pulse). The panel's points add the squares of two elements of Y, so what it
// tends to is built from E[Re Y(k)^2] and E[Im Y(k)^2], and with Yr = Hr Xr - Hi Xi,
// Yi = Hr Xi + Hi Xr these need only
//   E[Xr^2] = sum_nm R(n,m) cos_n cos_m,  E[Xi^2] = sum_nm R(n,m) sin_n sin_m,
//   E[Xr Xi] = sum_nm R(n,m) cos_n sin_m,
// with R(n,m) = E[w_n w_m]. This is |pulse x filter|^2 times the spectrum of the levels'
// autocorrelation, taken over the run's 128 symbols exactly as the transform does, with the
// mean kept in R so that a discrete line (unipolar's DC) lands in its own bin.
//
// R is transmit/LevelCorrelation's: the stages written as one Markov chain.

LineSpectrumSettings TransmitSettingsOf(const LinkConfig& c) {
    return {c.data, c.preCode[0], c.code[0], c.format[0], c.iPulseWidth};
}

std::optional<SpectrumAverage> ExpectedTransmitSpectrum(const LineSpectrumSettings& s,
                                                        const Signal& h, double dBaudRate) {
    if (!s.data || !s.preCode || !s.code || !s.format) return std::nullopt;
    if (*s.data == DataSource::ExponentialRuns || *s.format == Format::Hdb3) return std::nullopt;
    const auto correlation = LevelCorrelation({s.data, s.preCode, s.code, s.format});
    if (!correlation) return std::nullopt;
    const LevelMatrix& r = *correlation;
    // The impulse weight per unit of level, as the pulse train forms it.
    const double width = std::clamp<int>(s.iPulseWidth, 1, 16);
    const double c = 16.0 * Info(*s.format).amplitude * 16.0 / width;

    // E[Xr^2], E[Xi^2], E[Xr Xi] for each of the 128 distinct bins.
    std::array<std::array<double, 3>, kSymbols> moments{};
    std::array<double, kSymbols> cosines{}, sines{};
    for (int k = 0; k < kSymbols; ++k) {
        for (int i = 0; i < kSymbols; ++i) {
            const double theta = 2 * std::numbers::pi * ((k * i) % kSymbols) / kSymbols;
            cosines[i] = std::cos(theta);
            sines[i] = std::sin(theta);
        }
        double cc = 0, ss = 0, cs = 0;
        for (int i = 0; i < kSymbols; ++i) {
            double rc = 0, rs = 0;
            for (int m = 0; m < kSymbols; ++m) {
                rc += r[i][m] * cosines[m];
                rs += r[i][m] * sines[m];
            }
            cc += cosines[i] * rc;
            ss += sines[i] * rs;
            cs += cosines[i] * rs;
        }
        moments[k] = {c * c * cc, c * c * ss, c * c * cs};
    }
    // The panel squares and adds elements; amplitudes whose squares are the expected
    // element powers let it map them to its points exactly as it maps a run.
    Signal amplitude{};
    for (int k = 0; k < kPoints; ++k) {
        const auto& [xx, yy, xy] = moments[k % kSymbols];
        const double hr = h[2 * k], hi = h[2 * k + 1];
        const double re = hr * hr * xx + hi * hi * yy - 2 * hr * hi * xy;
        const double im = hr * hr * yy + hi * hi * xx + 2 * hr * hi * xy;
        amplitude[2 * k] = std::sqrt(std::max(re, 0.0));
        amplitude[2 * k + 1] = std::sqrt(std::max(im, 0.0));
    }
    SpectrumAverage expected{};
    int32_t count = 0;
    AccumulateSpectrum(amplitude, expected, count, dBaudRate);
    return expected;
}

}  // namespace linelab
