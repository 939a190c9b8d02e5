#include "folded/FoldedRunner.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "common/Tables.h"
#include "dsp/Gaussian.h"
#include "dsp/nrFFT.h"
#include "receiver/BitErrorRate.h"
#include "receiver/Demodulator.h"
#include "receiver/Inversion.h"
#include "receiver/LineDecoder.h"
#include "receiver/Multipath.h"
#include "receiver/Noise.h"
#include "receiver/PreDecoder.h"
#include "receiver/Sampling.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

using Complex = std::complex<double>;
constexpr int kAliases = kPoints / kSymbols;  // 16

using Term = SampleTerm;
using Pattern = SamplePattern;

Complex Bin(const Signal& s, int k) {
    return {s[static_cast<std::size_t>(2 * k)], s[static_cast<std::size_t>(2 * k + 1)]};
}

// The sampling pattern seen from bin k: sum of weight e^(-j 2 pi k rel / 2048) / 2048, the
// inverse transform's kernel at the pattern's instants.
Complex PatternKernel(const Pattern& pattern, int k) {
    Complex sum = 0;
    for (const Term& t : pattern) {
        const int64_t turn = ((int64_t{k} * t.rel) % kPoints + kPoints) % kPoints;
        sum += t.weight *
               std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(turn) / kPoints);
    }
    return sum / static_cast<double>(kPoints);
}

// Lower Cholesky factor of a Hermitian positive semi-definite m x m matrix (row-major);
// a pivot that vanishes against the largest diagonal leaves its column zero, as a grid whose
// noise is a fixed multiple of another's needs no deviate of its own.
std::vector<Complex> Cholesky(const std::vector<Complex>& a, int m) {
    std::vector<Complex> l(a.size());
    double largest = 0;
    for (int i = 0; i < m; ++i)
        largest = std::max(largest, a[static_cast<std::size_t>(i * m + i)].real());
    auto at = [m](int i, int j) { return static_cast<std::size_t>(i * m + j); };
    for (int j = 0; j < m; ++j) {
        double d = a[at(j, j)].real();
        for (int k = 0; k < j; ++k)
            d -= std::norm(l[at(j, k)]);
        if (!(d > 1e-12 * largest)) continue;  // column left zero
        const double root = std::sqrt(d);
        l[at(j, j)] = root;
        for (int i = j + 1; i < m; ++i) {
            Complex s = a[at(i, j)];
            for (int k = 0; k < j; ++k)
                s -= l[at(i, k)] * std::conj(l[at(j, k)]);
            l[at(i, j)] = s / root;
        }
    }
    return l;
}

}  // namespace

bool FoldedCovers(const LinkConfig& c) {
    return c.data && c.preCode[0] && c.preCode[1] && c.code[0] && c.code[1] && c.format[0] &&
           c.format[1];
}

FoldedRunner::FoldedRunner(const LinkConfig& config, const Responses& r, double dBaudRate,
                           const Thresholds& thresholds)
    : config_(config),
      thresholds_(thresholds),
      dBaudRate_(dBaudRate),
      txFold_(TransmitPowerFold(r)),
      state_(std::make_unique<RunState>()),
      work_(2 * kSymbols) {
    const bool invert = config.invert;
    std::vector<Pattern> patterns;
    for (int k = 0; k < kSymbols; ++k) {
        const Pattern p = SlotSamplePattern(k, config.samplingOffset, config.echo, invert);
        auto found = std::find(patterns.begin(), patterns.end(), p);
        gridOf_[static_cast<std::size_t>(k)] = static_cast<uint8_t>(found - patterns.begin());
        if (found == patterns.end()) patterns.push_back(p);
    }
    const int m = static_cast<int>(patterns.size());
    grids_.resize(patterns.size());
    noiseFactor_.resize(static_cast<std::size_t>(kSymbols * m * m));
    // Noise of deviation sigma in each part of 2048 complex samples has 2 * 2048 sigma^2 in
    // each bin; the inverse 128-point transform divides by 128 and the decision takes the
    // real part (half the power of a circular variable), and the deviates drawn have unit
    // parts (power 2): together the covariance below is in those units.
    const double binPower = 2.0 * kPoints * kSymbols * kSymbols / 2.0;
    std::vector<Complex> kernel(static_cast<std::size_t>(m));
    std::vector<Complex> cov(static_cast<std::size_t>(m * m));
    for (int q = 0; q < kSymbols; ++q) {
        std::fill(cov.begin(), cov.end(), Complex{});
        for (int a = 0; a < kAliases; ++a) {
            const int k = q + kSymbols * a;
            const Complex total = Bin(r.dTotalResponse, k);
            const Complex rx = Bin(r.dRxResponse, k);
            for (int g = 0; g < m; ++g) {
                const Complex p = PatternKernel(patterns[static_cast<std::size_t>(g)], k);
                grids_[static_cast<std::size_t>(g)].signal[static_cast<std::size_t>(q)] +=
                    total * p * static_cast<double>(kSymbols);
                kernel[static_cast<std::size_t>(g)] = rx * p;
            }
            for (int i = 0; i < m; ++i)
                for (int j = 0; j < m; ++j)
                    cov[static_cast<std::size_t>(i * m + j)] +=
                        binPower * kernel[static_cast<std::size_t>(i)] *
                        std::conj(kernel[static_cast<std::size_t>(j)]);
        }
        const std::vector<Complex> l = Cholesky(cov, m);
        std::copy(l.begin(), l.end(), noiseFactor_.begin() + q * m * m);
    }
    for (double& t : thresholds_)
        if (std::isnan(t)) t = 0;  // never reached: the engine's thresholds are numbers
    Reset(Uniform::kSeed);
}

void FoldedRunner::Reset(uint64_t seed) {
    RunState& s = *state_;
    s.iData = s.iPreData = s.iScrambleSeq = s.iCodedData = s.iDecodedData = s.iPostData =
        s.iRxData = Bits{};
    s.iModData = s.iDemodData = Symbols{};
    s.iCodeBaud = s.iTxDutyCycle = 0;
    s.dScale = 0;
    s.dBaudRate = dBaudRate_;
    s.rng.Seed(seed);
}

FoldedRun FoldedRunner::Run(double noiseLevel, double referenceEnergy) {
    RunState& s = *state_;
    const LinkConfig& c = config_;
    // The transmit half as the engine runs it, to the data's 128-point spectrum.
    TransmitLevels(c, s);
    std::array<double, 2 * kSymbols> data;
    ImpulseSpectrum(s.iModData, s.dScale, data);
    const double energy = TransmitEnergyPerSlot(data, txFold_);
    energy_ = energy;
    const double sigma =
        noiseLevel > 0
            ? NoiseSigma(noiseLevel, referenceEnergy > 0 ? referenceEnergy : energy, dBaudRate_)
            : 0.0;

    const int m = Grids();
    work_.resize(static_cast<std::size_t>(2 * kSymbols * m));
    for (int g = 0; g < m; ++g) {
        const auto& h = grids_[static_cast<std::size_t>(g)].signal;
        for (int q = 0; q < kSymbols; ++q) {
            const Complex d{data[static_cast<std::size_t>(2 * q)],
                            data[static_cast<std::size_t>(2 * q + 1)]};
            const Complex y = d * h[static_cast<std::size_t>(q)];
            work_[static_cast<std::size_t>(2 * (g * kSymbols + q))] = y.real();
            work_[static_cast<std::size_t>(2 * (g * kSymbols + q) + 1)] = y.imag();
        }
    }
    if (sigma > 0) {
        const ZigguratTables& zig = Ziggurat();
        std::array<Complex, 256> w;
        for (int q = 0; q < kSymbols; ++q) {
            for (int j = 0; j < m; ++j)
                w[static_cast<std::size_t>(j)] = {Gaussian(s.rng, zig), Gaussian(s.rng, zig)};
            const Complex* l = noiseFactor_.data() + q * m * m;
            for (int i = 0; i < m; ++i) {
                Complex z = 0;
                for (int j = 0; j <= i; ++j)
                    z += l[i * m + j] * w[static_cast<std::size_t>(j)];
                work_[static_cast<std::size_t>(2 * (i * kSymbols + q))] += sigma * z.real();
                work_[static_cast<std::size_t>(2 * (i * kSymbols + q) + 1)] += sigma * z.imag();
            }
        }
    }
    for (int g = 0; g < m; ++g)
        FFT(std::span<double>(work_.data() + 2 * g * kSymbols, 2 * kSymbols), kSymbols, true,
            false);
    for (int k = 0; k < kSymbols; ++k)
        samples_[static_cast<std::size_t>(k)] = work_[static_cast<std::size_t>(
            2 * (gridOf_[static_cast<std::size_t>(k)] * kSymbols + k))];

    // The receive half's decisions and decoding, with the engine's own routines.
    const auto rxFormat = c.format[1];
    if (rxFormat) {
        for (int k = 0; k < kSymbols; ++k)
            s.iDemodData[static_cast<std::size_t>(k)] =
                DecideLevel(*rxFormat, samples_[static_cast<std::size_t>(k)], thresholds_);
    }
    LevelsToCodeBits(rxFormat, s.iDemodData, s.iDecodedData);
    s.iCodeBaud = CodeBaud(c.code[1]);
    LineDecode(c.code[1], s.iDecodedData, s.iPostData);
    PreDecode(c.preCode[1], s.iPostData, s.iScrambleSeq, s.iRxData);

    const RunErrors counts = CountRunErrors(s.iRxData, s.iData, s.iCodeBaud);
    return {static_cast<uint64_t>(counts.errors), static_cast<uint64_t>(counts.bits)};
}

}  // namespace linelab
