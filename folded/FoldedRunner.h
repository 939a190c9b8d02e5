#pragma once
// The link folded onto its decision instants, for sweeps. A run of the engine transforms
// 2048 samples three times and draws 4096 noise deviates, yet the decisions read one sample
// in 16. At those instants the received signal is the run's 128-point data spectrum times the
// total response summed over its 16 aliases, and the noise is Gaussian with the receive
// filter's folded spectrum; so a run needs the data, one 128-point transform each way and 256
// deviates, and decides and decodes exactly as the engine does.
//
// It is the engine in distribution, not bit for bit: the generator is the same, but the noise
// is drawn otherwise, so the streams part after the first run.
//
// Every slot's decision sample is a fixed combination of instants: the sampling offset (odd
// half-sample offsets the mean of two), the clamps at the run's ends, the echo where it
// reaches, the inversion. Slots with the same combination relative to their own position
// share one "grid": one response folded once, one inverse transform a run. A plain setting
// has one grid; offsets past an end and an echo add a few, whose noises are drawn jointly per
// frequency bin (a Cholesky factor of their covariance), so the slots keep their exact
// covariance.

#include <array>
#include <complex>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/LinkConfig.h"
#include "common/RunState.h"
#include "common/Signal.h"
#include "common/Uniform.h"
#include "transmit/Transmit.h"

namespace linelab {

// True when every list entry the folded runner needs names something it knows (data source,
// pre-coding, line code and format on both sides); an unknown entry makes the engine report,
// which only the engine can do.
bool FoldedCovers(const LinkConfig& config);

struct FoldedRun {
    uint64_t errors = 0;
    uint64_t bits = 0;
};

class FoldedRunner {
  public:
    // The responses of an engine that has run its design pass for these settings, its
    // symbol rate and the thresholds it decides with. Requires FoldedCovers(settings).
    FoldedRunner(const LinkConfig& config, const Responses& responses, double dBaudRate,
                 const Thresholds& thresholds);

    // Starts afresh from a seed, as a new engine seeded with it does.
    void Reset(uint64_t seed);

    // One run at noise level N in W/kHz (NoiseLevel's value: 0 for none). The noise scales
    // with the run's transmitted energy as the engine's does, unless referenceEnergy > 0:
    // then it is the energy per slot the noise refers to in every run (a fixed N0).
    FoldedRun Run(double noiseLevel, double referenceEnergy = 0);

    // The last run's decision samples and its state (data, levels, decisions, decoded bits).
    const std::array<double, kSymbols>& Samples() const { return samples_; }
    const RunState& State() const { return *state_; }
    int Grids() const { return static_cast<int>(grids_.size()); }
    // The last run's transmitted energy per slot, as the engine would measure it.
    double EnergyPerSlot() const { return energy_; }

  private:
    using Complex = std::complex<double>;
    struct Grid {
        std::array<Complex, kSymbols> signal{};  // the folded total response, times 128
    };

    LinkConfig config_;
    Thresholds thresholds_;
    double dBaudRate_;
    std::vector<Grid> grids_;
    std::array<uint8_t, kSymbols> gridOf_{};
    // Per bin the lower Cholesky factor (row-major M x M) of the grids' noise covariance
    // for a unit sigma, halved in power so complex deviates of unit parts can be used.
    std::vector<Complex> noiseFactor_;
    TransmitFold txFold_;  // the transmit response's power per data bin (transmit/Transmit.h)
    std::unique_ptr<RunState> state_;
    std::array<double, kSymbols> samples_{};
    std::vector<double> work_;
    double energy_ = 0;
};

}  // namespace linelab
