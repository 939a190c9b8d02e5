#include "engine/LinkReference.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <tuple>
#include <vector>

#include "common/Tables.h"
#include "common/Uniform.h"
#include "dsp/nrFFT.h"
#include "receiver/Inversion.h"
#include "receiver/Multipath.h"
#include "receiver/Sampling.h"
#include "transmit/LevelCorrelation.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

// Runs averaged for the energy where it has no closed form (DataSource::ExponentialRuns). A run's
// energy spreads by up to about a tenth around its mean for the data-dependent mappings
// (unipolar, the three-level codes, 4-PAM), so 2048 runs put the mean within about 0.2 % of
// the exact expectation, a 0.01 dB shift of Eb/N0: well inside what any sweep can resolve.
// The seed is fixed, so the figure is the same each time.
constexpr int kEnergyRuns = 2048;
// Runs averaged for the level means. Each slot's noise-free sample differs from its level's
// mean only by intersymbol interference, none with Nyquist filters, so few runs suffice.
constexpr int kLevelRuns = 64;
constexpr uint64_t kReferenceSeed = 0x5eedf1edULL;

// E|D(q)|^2 per unit of impulse weight (16 x dScale = 1): sum over n, m of E[a_n a_m]
// cos(2 pi q (m - n) / 128), from the lag sums of the levels' correlation. Formed once per
// transmit setting and kept: the filters, which change most often, do not enter it.
std::optional<std::array<double, kSymbols>> UnitDataSpectrum(const LevelSettings& settings) {
    static std::mutex mutex;
    static std::map<std::tuple<DataSource, PreCoding, LineCoding, Format>,
                    std::array<double, kSymbols>>
        known;
    if (!settings.data || !settings.preCode || !settings.code || !settings.format)
        return std::nullopt;
    const auto key =
        std::make_tuple(*settings.data, *settings.preCode, *settings.code, *settings.format);
    {
        const std::scoped_lock lock(mutex);
        if (auto it = known.find(key); it != known.end()) return it->second;
    }
    const std::optional<LevelLags> lags = LevelLagSums(settings);
    if (!lags) return std::nullopt;
    const LevelLags& lag = *lags;
    std::array<double, kSymbols> power{};
    for (int q = 0; q < kSymbols; ++q) {
        double sum = lag[0];
        for (int d = 1; d < kSymbols; ++d)
            sum += 2 * lag[static_cast<std::size_t>(d)] *
                   std::cos(2 * std::numbers::pi * ((q * d) % kSymbols) / kSymbols);
        power[static_cast<std::size_t>(q)] = sum;
    }
    const std::scoped_lock lock(mutex);
    return known.emplace(key, power).first->second;
}

// One run's energy per slot from its levels, through the fold.
double RunEnergy(const RunState& s, const TransmitFold& fold) {
    std::array<double, 2 * kSymbols> spectrum;
    ImpulseSpectrum(s.iModData, s.dScale, spectrum);
    return TransmitEnergyPerSlot(spectrum, fold);
}

// The noise-free received sample of every slot, grouped by the level sent, through the same
// chain as a run without noise: total response, inverse transform, echo, inversion, sampling.
// The thresholds go midway between the level means in the order they arrive in, lowest
// first: the receiver's rule gives the lowest band its lowest level, so an inverted or echoed
// link decides as thresholds set by hand in the middle of each gap of its eye would.
void Midway(const LinkConfig& c, RunState& s, LinkReference& out) {
    if (!c.format[1] || c.format[0] != c.format[1]) return;
    std::array<double, 7> sum{};
    std::array<int64_t, 7> count{};
    for (int run = 0; run < kLevelRuns; ++run) {
        if (!TransmitLevels(c, s)) return;
        BuildPulseTrain(s, s.dScale);
        FFT(s.dRxTimeData, kPoints, true, false);
        ApplyMultipath(s.dRxTimeData, c.echo);
        if (c.invert) Invert(s.dRxTimeData);
        for (int k = 0; k < kSymbols; ++k) {
            const int level = s.iModData[static_cast<std::size_t>(k)];
            if (level < -3 || level > 3) continue;
            sum[static_cast<std::size_t>(level + 3)] +=
                SampleSlot(s.dRxTimeData, k, c.samplingOffset);
            ++count[static_cast<std::size_t>(level + 3)];
        }
    }
    // A level never sent (4-PAM's outer two under Manchester) goes where the straight line
    // through the sent levels' means puts it; with fewer than two sent there is no line.
    const std::span<const int16_t> levels = DecisionLevels(*c.format[1]);
    double n = 0, x = 0, y = 0, xx = 0, xy = 0;
    for (const int16_t level : levels) {
        const auto i = static_cast<std::size_t>(level + 3);
        if (count[i] == 0) continue;
        const double mean = sum[i] / static_cast<double>(count[i]);
        n += 1;
        x += level;
        y += mean;
        xx += level * level;
        xy += level * mean;
    }
    if (n < 2 && n < static_cast<double>(levels.size())) return;
    const double slope = n >= 2 ? (n * xy - x * y) / (n * xx - x * x) : 0;
    const double offset = (y - slope * x) / n;
    std::vector<double> means;
    for (const int16_t level : levels) {
        const auto i = static_cast<std::size_t>(level + 3);
        means.push_back(count[i] > 0 ? sum[i] / static_cast<double>(count[i])
                                     : slope * level + offset);
    }
    std::sort(means.begin(), means.end());
    // Means that coincide (to rounding) leave no gap any threshold could sit in.
    const double scale = std::max(std::abs(means.front()), std::abs(means.back()));
    std::vector<double> mid;  // lowest first
    for (std::size_t i = 0; i + 1 < means.size(); ++i) {
        if (!(means[i + 1] - means[i] > 1e-9 * scale)) {
            out.levelsInseparable = true;
            return;
        }
        mid.push_back(0.5 * (means[i] + means[i + 1]));
    }
    switch (mid.size()) {
        case 1:  // one threshold
            out.midway = Thresholds{mid[0], mid[0], mid[0], mid[0]};
            break;
        case 2:  // upper, lower
            out.midway = Thresholds{mid[1], mid[0], mid[1], mid[1]};
            break;
        case 3:  // upper, middle, lower
            out.midway = Thresholds{mid[2], mid[1], mid[0], mid[2]};
            break;
        default:
            break;
    }
}

}  // namespace

LinkReference ComputeLinkReference(const LinkConfig& config, const Responses& responses,
                                   double dBaudRate) {
    auto s = std::make_unique<RunState>();  // about half a megabyte: kept off the stack
    s->responses = responses;
    s->dBaudRate = dBaudRate;
    LinkReference out;
    // The closed form wherever the data have a state machine; the simulated mean for
    // DataSource::ExponentialRuns, whose run lengths none describes.
    const std::optional<double> expected = ExpectedEnergyPerSlot(config, responses);
    out.energyPerSlot =
        expected ? *expected : SimulatedEnergyPerSlot(config, responses, kEnergyRuns).mean;
    s->rng.Seed(kReferenceSeed);
    Midway(config, *s, out);
    return out;
}

std::optional<double> ExpectedEnergyPerSlot(const LinkConfig& c, const Responses& responses) {
    const auto power = UnitDataSpectrum({c.data, c.preCode[0], c.code[0], c.format[0]});
    if (!power || c.iPulseWidth <= 0) return std::nullopt;
    // The impulse weight per unit of level, as the mapper and the pulse train form it.
    const double weight = 16 * Info(*c.format[0]).amplitude * 16.0 / c.iPulseWidth;
    const TransmitFold fold = TransmitPowerFold(responses);
    double energy = 0;
    for (int q = 0; q < kSymbols; ++q)
        energy += (*power)[static_cast<std::size_t>(q)] * fold[static_cast<std::size_t>(q)];
    return weight * weight * energy;
}

EnergyEstimate SimulatedEnergyPerSlot(const LinkConfig& c, const Responses& responses, int runs) {
    auto s = std::make_unique<RunState>();
    s->responses = responses;
    s->rng.Seed(kReferenceSeed);
    const TransmitFold fold = TransmitPowerFold(responses);
    double sum = 0, squares = 0;
    for (int run = 0; run < runs; ++run) {
        if (!TransmitLevels(c, *s)) return {};
        const double energy = RunEnergy(*s, fold);
        sum += energy;
        squares += energy * energy;
    }
    if (runs <= 0) return {};
    const double mean = sum / runs;
    const double variance = runs > 1 ? std::max(0.0, squares / runs - mean * mean) / (runs - 1) : 0;
    return {mean, std::sqrt(variance)};
}

LinkReferenceKey ReferenceKeyOf(const LinkConfig& c) {
    return {c.data,      c.preCode[0], c.code[0], c.format,        c.iPulseWidth,
            c.echo.gain, c.echo.delay, c.invert,  c.samplingOffset};
}

}  // namespace linelab
