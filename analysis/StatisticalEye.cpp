#include "analysis/StatisticalEye.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <tuple>

#include "common/Tables.h"
#include "dsp/ComplexProduct.h"
#include "dsp/nrFFT.h"
#include "engine/LinkReference.h"
#include "receiver/Noise.h"
#include "receiver/Sampling.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

using Complex = std::complex<double>;
constexpr int kSlotSamples = kPoints / kSymbols;  // 16
// Relative slots a response is read over: the whole run, centred on the cursor.
constexpr int kFirstTap = -kSymbols / 2;
// Bins the noise-free samples of one instant are grouped in, over their whole extent.
constexpr int kValueBins = 16384;
// The slots the levels' statistics are taken from: well inside the run, past the coder's
// start and clear of the end rules.
constexpr int kInteriorSlot = 60;

Complex At(const Signal& s, int n) {
    n = ((n % kPoints) + kPoints) % kPoints;
    return {s[static_cast<std::size_t>(2 * n)], s[static_cast<std::size_t>(2 * n + 1)]};
}

double Tail(double x) {  // Q(x) = P(Z > x)
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

// P(u + noise > y) and P(u + noise <= y) for a noise deviation sigma (a step without
// noise), each from its own tail so that the small one keeps its digits.
double Above(double u, double y, double sigma) {
    if (!(sigma > 0)) return u > y ? 1.0 : 0.0;
    return Tail((y - u) / sigma);
}
double Below(double u, double y, double sigma) {
    if (!(sigma > 0)) return u > y ? 0.0 : 1.0;
    return Tail((u - y) / sigma);
}

// --- the chain's responses ------------------------------------------------------------

struct ChainResponses {
    Signal pulse{};  // the received waveform for one unit level in slot 0
    Signal noise{};  // the receive filter's output for a unit noise sample at 0
};

// Both through the chain's own stages: the pulse as BuildPulseTrain forms a run's, the noise
// as AddNoise filters it, each transformed back as the receiver does.
std::unique_ptr<ChainResponses> FormResponses(const StatEyeSetup& setup, Format format) {
    auto s = std::make_unique<RunState>();
    s->responses = setup.responses;
    s->dBaudRate = setup.dBaudRate;
    const LevelMap map = MapLevels(format, setup.config.iPulseWidth, s->iCodedData, s->iModData);
    s->iModData = Symbols{};
    s->iModData[0] = 1;
    BuildPulseTrain(*s, map.dScale);
    FFT(s->dRxTimeData, kPoints, true, false);
    auto out = std::make_unique<ChainResponses>();
    out->pulse = s->dRxTimeData;
    Signal delta{};
    delta[0] = 1;
    FFT(delta, kPoints, false, false);
    ComplexProduct(setup.responses.dRxResponse, delta, out->noise);
    FFT(out->noise, kPoints, true, false);
    return out;
}

// The decision sample's response to a unit level m slots after the decided one, for
// m = kFirstTap .. kFirstTap + 127.
std::vector<double> Taps(const ChainResponses& r, const SamplePattern& pattern) {
    std::vector<double> taps(kSymbols);
    for (int i = 0; i < kSymbols; ++i) {
        const int m = kFirstTap + i;
        double sum = 0;
        for (const SampleTerm& t : pattern)
            sum += t.weight * At(r.pulse, t.rel - kSlotSamples * m).real();
        taps[static_cast<std::size_t>(i)] = sum;
    }
    return taps;
}

// The noise deviation of the decision sample per unit sigma: the real part of
// sum_t w_t y[rel_t], y the filtered noise, has variance sigma^2 sum_{t,t'} w_t w_t'
// Re C(rel_t - rel_t'), C the receive response's autocorrelation.
double NoiseDeviation(const ChainResponses& r, const SamplePattern& pattern) {
    const auto correlation = [&](int d) {
        Complex c = 0;
        for (int n = 0; n < kPoints; ++n)
            c += At(r.noise, d + n) * std::conj(At(r.noise, n));
        return c.real();
    };
    double variance = 0;
    for (const SampleTerm& a : pattern)
        for (const SampleTerm& b : pattern)
            variance += a.weight * b.weight * correlation(a.rel - b.rel);
    return std::sqrt(std::max(variance, 0.0));
}

// --- the levels' statistics -------------------------------------------------------------

// Slots after which the levels' statistics repeat: a Manchester pair, a 4B5B group.
int CodePeriod(const LinkSetup& link) {
    const bool pam4 = link.format == Format::Pam4;
    switch (link.code) {
        case LineCoding::Manchester:
        case LineCoding::DiffManchester:
            return pam4 ? 1 : 2;
        case LineCoding::FourB5B:
        case LineCoding::FourB5BNrzi:
            return 5;
        default:
            return 1;
    }
}

// The slots carried exactly: as many as keep the patterns to some tens of thousands.
int WindowFor(std::size_t levelCount) {
    return levelCount <= 2 ? 14 : levelCount == 3 ? 11 : 7;
}

// The patterns of the window around an interior slot of the given phase; kept, since they
// depend on the code alone and every change of filter asks again.
const std::vector<LevelPattern>& PatternsFor(const LinkSetup& link, int phase, int start,
                                             int window) {
    static std::mutex mutex;
    static std::map<std::tuple<Format, LineCoding, PreCoding, int, int, int>,
                    std::vector<LevelPattern>>
        known;
    const std::scoped_lock lock(mutex);
    const auto key = std::make_tuple(link.format, link.code, link.preCoding, phase, start, window);
    if (auto it = known.find(key); it != known.end()) return it->second;
    LinkSetup plain = link;
    plain.inverted = false;
    const int period = CodePeriod(link);
    const int cursor = kInteriorSlot + ((phase - kInteriorSlot) % period + period) % period;
    return known.emplace(key, LevelPatterns(plain, cursor + start, window)).first->second;
}

// The window [start, start + window) of relative slots holding the most response weight
// over all instants, the cursor (0) always inside.
int WindowStart(const std::vector<std::vector<double>>& innerTaps, int window) {
    std::vector<double> weight(kSymbols);
    for (const auto& taps : innerTaps)
        for (int i = 0; i < kSymbols; ++i)
            weight[static_cast<std::size_t>(i)] += std::abs(taps[static_cast<std::size_t>(i)]);
    int best = -window / 2;
    double bestSum = -1;
    for (int start = 1 - window; start <= 0; ++start) {
        double sum = 0;
        for (int m = start; m < start + window; ++m)
            sum += weight[static_cast<std::size_t>(m - kFirstTap)];
        if (sum > bestSum) {
            bestSum = sum;
            best = start;
        }
    }
    return best;
}

// --- one instant ------------------------------------------------------------------------

struct SlotGroup {
    SamplePattern pattern;
    std::vector<double> taps;
    double deviation = 0;
    std::vector<int> slotsByPhase;  // slots of the group in each phase of the code
};

std::vector<SlotGroup> GroupSlots(const ChainResponses& r, const LinkConfig& c, int v, int period) {
    std::vector<SlotGroup> groups;
    for (int k = 0; k < kSymbols; ++k) {
        SamplePattern p = SlotSamplePattern(k, v, c.echo, c.invert);
        auto found = std::find_if(groups.begin(), groups.end(),
                                  [&](const SlotGroup& g) { return g.pattern == p; });
        if (found == groups.end()) {
            SlotGroup g;
            g.taps = Taps(r, p);
            g.deviation = NoiseDeviation(r, p);
            g.pattern = std::move(p);
            g.slotsByPhase.assign(static_cast<std::size_t>(period), 0);
            groups.push_back(std::move(g));
            found = groups.end() - 1;
        }
        ++found->slotsByPhase[static_cast<std::size_t>(k % period)];
    }
    return groups;
}

// Noise-free samples binned with their centroid and extent, by level, for one noise class.
struct Binned {
    double low = 0, width = 1;
    std::vector<std::vector<double>> mass, moment, least, most;  // by level, by bin
    void Reset(std::size_t levels) {
        mass.assign(levels, std::vector<double>(kValueBins));
        moment = mass;
        least.assign(levels, std::vector<double>(kValueBins, INFINITY));
        most.assign(levels, std::vector<double>(kValueBins, -INFINITY));
    }
    void Add(std::size_t level, double u, double p) {
        if (!std::isfinite(u)) return;  // a response out of all range: nothing to place
        const double at = std::clamp((u - low) / width, 0.0, kValueBins - 1.0);
        const auto bin = static_cast<std::size_t>(at);
        mass[level][bin] += p;
        moment[level][bin] += p * u;
        least[level][bin] = std::min(least[level][bin], u);
        most[level][bin] = std::max(most[level][bin], u);
    }
    // How far a centroid lies from the samples it stands for, at most.
    double Spread() const {
        double spread = 0;
        for (std::size_t level = 0; level < mass.size(); ++level)
            for (int b = 0; b < kValueBins; ++b)
                if (mass[level][static_cast<std::size_t>(b)] > 0)
                    spread = std::max(spread, most[level][static_cast<std::size_t>(b)] -
                                                  least[level][static_cast<std::size_t>(b)]);
        return spread;
    }
};

void AddPatterns(const std::vector<LevelPattern>& patterns, const std::vector<double>& taps,
                 const LinkStatistics& s, double weight, Binned& bins) {
    const int start = s.windowStart;
    for (const LevelPattern& pattern : patterns) {
        double u = 0;
        for (int i = 0; i < s.window; ++i)
            u += pattern.levels[static_cast<std::size_t>(i)] *
                 taps[static_cast<std::size_t>(start + i - kFirstTap)];
        const int16_t sent = pattern.levels[static_cast<std::size_t>(-start)];
        const auto level = static_cast<std::size_t>(
            std::find(s.levels.begin(), s.levels.end(), sent) - s.levels.begin());
        if (level >= s.levels.size()) continue;
        bins.Add(level, u, weight * pattern.p);
    }
}

std::vector<ValueMass> Centroids(const std::vector<double>& mass,
                                 const std::vector<double>& moment) {
    std::vector<ValueMass> out;
    for (std::size_t b = 0; b < mass.size(); ++b)
        if (mass[b] > 0) out.push_back({moment[b] / mass[b], mass[b]});
    return out;
}

// The extent every window sum of the groups stays in, and what their cut taps can add.
std::pair<double, double> ReachAndCut(const std::vector<SlotGroup>& groups,
                                      const LinkStatistics& s) {
    const double largest = std::max(std::abs(static_cast<double>(s.levels.front())),
                                    static_cast<double>(s.levels.back()));
    double reach = 0, cut = 0;
    for (const SlotGroup& g : groups) {
        double inside = 0, outside = 0;
        for (int i = 0; i < kSymbols; ++i) {
            const int m = kFirstTap + i;
            const double a = std::abs(g.taps[static_cast<std::size_t>(i)]);
            (m >= s.windowStart && m < s.windowStart + s.window ? inside : outside) += a;
        }
        reach = std::max(reach, largest * inside);
        cut = std::max(cut, largest * outside);
    }
    return {reach, cut};
}

// The groups whose noise has the same deviation as group g, binned into one class; marks
// them used.
NoiseClass ClassOf(const std::vector<SlotGroup>& groups, std::size_t g, const LinkStatistics& s,
                   std::vector<bool>& used, Binned& bins) {
    const int period = CodePeriod(s.link);
    const double deviation = groups[g].deviation;
    bins.Reset(s.levels.size());
    for (std::size_t h = g; h < groups.size(); ++h) {
        if (used[h] || std::abs(groups[h].deviation - deviation) > 1e-12 * deviation) continue;
        used[h] = true;
        for (int phase = 0; phase < period; ++phase) {
            const int slots = groups[h].slotsByPhase[static_cast<std::size_t>(phase)];
            if (slots == 0) continue;
            AddPatterns(PatternsFor(s.link, phase, s.windowStart, s.window), groups[h].taps, s,
                        double(slots) / kSymbols, bins);
        }
    }
    NoiseClass c;
    c.deviation = deviation;
    for (std::size_t level = 0; level < s.levels.size(); ++level)
        c.byLevel.push_back(Centroids(bins.mass[level], bins.moment[level]));
    return c;
}

InstantStatistics Instant(const ChainResponses& r, const StatEyeSetup& setup,
                          const LinkStatistics& s, int v) {
    const std::vector<SlotGroup> groups = GroupSlots(r, setup.config, v, CodePeriod(s.link));
    const auto [reach, cut] = ReachAndCut(groups, s);
    Binned bins;
    bins.low = -reach * (1 + 1e-9) - 1e-300;
    bins.width = -2 * bins.low / kValueBins;
    InstantStatistics out;
    double spread = 0;
    std::vector<bool> used(groups.size(), false);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (used[g]) continue;
        out.classes.push_back(ClassOf(groups, g, s, used, bins));
        spread = std::max(spread, bins.Spread());
    }
    out.shiftBound = cut + spread;
    return out;
}

// --- decisions ------------------------------------------------------------------------

// The interval (lo, hi] of samples decided as each level, lowest level first, by
// DecideLevel's rule: from the top, a level takes the samples above its threshold that no
// level above it took.
std::vector<std::pair<double, double>> Regions(std::size_t levels, const Thresholds& t) {
    std::vector<std::pair<double, double>> regions(levels);
    double hi = INFINITY;
    for (std::size_t i = levels - 1; i > 0; --i) {
        const double threshold = t[levels - 1 - i];
        const double lo = std::min(threshold, hi);
        regions[i] = {lo, hi};
        hi = lo;
    }
    regions[0] = {-INFINITY, hi};
    return regions;
}

// P(lo < u + noise <= hi), each tail from its own side so that tiny ones keep their digits.
double Within(double u, std::pair<double, double> region, double sigma) {
    const auto [lo, hi] = region;
    if (!(hi > lo)) return 0;
    if (lo >= u) return Above(u, lo, sigma) - Above(u, hi, sigma);
    if (hi <= u) return Below(u, hi, sigma) - Below(u, lo, sigma);
    return 1 - Below(u, lo, sigma) - Above(u, hi, sigma);
}

// P(u + noise outside (lo, hi]) with u moved by `shift` towards (+) or away from (-) the
// nearer edges.
double Outside(double u, std::pair<double, double> region, double sigma, double shift) {
    const auto [lo, hi] = region;
    if (!(hi > lo)) return 1;
    const double below = std::isinf(lo) ? 0 : Below(u - shift, lo, sigma);
    const double above = std::isinf(hi) ? 0 : Above(u + shift, hi, sigma);
    return std::min(1.0, below + above);
}

// The wrong compared bits of the data when every decision goes as without noise: none for
// a plain link, nearly all for a mapping read by its polarity under inversion.
double BaseDataErrors(const LinkSetup& link) {
    if (!link.inverted) return 0;
    static std::mutex mutex;
    static std::map<std::tuple<Format, LineCoding, PreCoding>, double> known;
    const std::scoped_lock lock(mutex);
    const auto key = std::make_tuple(link.format, link.code, link.preCoding);
    if (auto it = known.find(key); it != known.end()) return it->second;
    return known[key] = ExactBer(link, 1e300);
}

const InstantStatistics& InstantOf(const LinkStatistics& s, int samplingOffset) {
    const int i = std::clamp(samplingOffset - kFirstStatInstant, 0, kStatInstants - 1);
    return s.instants[static_cast<std::size_t>(i)];
}

std::vector<double> MeanLevels(const InstantStatistics& instant, std::size_t levels) {
    std::vector<double> sum(levels), weight(levels);
    for (const NoiseClass& c : instant.classes)
        for (std::size_t a = 0; a < levels; ++a)
            for (const ValueMass& m : c.byLevel[a]) {
                sum[a] += m.p * m.value;
                weight[a] += m.p;
            }
    for (std::size_t a = 0; a < levels; ++a)
        sum[a] = weight[a] > 0 ? sum[a] / weight[a] : 0;
    return sum;
}

// The samples on a grid of `fine` steps from lo, in order, those within `reach` steps of
// the grid: each sample's probability shared between the two grid points around it in
// proportion to its nearness, which keeps the mean and leaves an error of second order in
// the step. Samples farther out (a range asked for that misses them) go to `far` as they are.
std::vector<std::pair<long, double>> FineMass(const std::vector<ValueMass>& values, double lo,
                                              double fine, double reach,
                                              std::vector<ValueMass>& far) {
    std::map<long, double> mass;
    for (const ValueMass& m : values) {
        const double r = (m.value - lo) / fine;
        if (!(std::abs(r) <= reach)) {
            if (std::isfinite(m.value)) far.push_back(m);
            continue;
        }
        const double below = std::floor(r);
        const auto at = static_cast<long>(below);
        mass[at] += m.p * (1 - (r - below));
        mass[at + 1] += m.p * (r - below);
    }
    return {mass.begin(), mass.end()};
}

// Adds one level's wrong-side rates at every threshold of an evenly spaced grid to row. The
// samples go onto a grid four times finer than the thresholds', so that the tail between a
// sample and a threshold depends only on their distance in steps: one table of tails, one
// sum of products per threshold. (A sample shared between grid points moves the rate by a
// part in a few hundred at most.) Samples far outside the grid are summed directly.
void AddWrongSide(const std::vector<ValueMass>& values, double mean, double sigma,
                  const std::vector<double>& thresholds, std::span<double> row) {
    constexpr int kFine = 4;
    const auto count = static_cast<long>(thresholds.size());
    const double fine =
        (thresholds.back() - thresholds.front()) / static_cast<double>(count - 1) / kFine;
    std::vector<ValueMass> far;
    const std::vector<std::pair<long, double>> mass =
        FineMass(values, thresholds.front(), fine, 3.0 * kFine * static_cast<double>(count), far);
    for (const ValueMass& m : far)
        for (std::size_t j = 0; j < thresholds.size(); ++j)
            row[j] += m.p * (mean > thresholds[j] ? Below(m.value, thresholds[j], sigma)
                                                  : Above(m.value, thresholds[j], sigma));
    if (mass.empty()) return;
    const long first = mass.front().first - kFine * (count - 1);
    const long last = mass.back().first;
    std::vector<double> up, down;  // the tails for u - y = d fine steps, d = first .. last
    for (long d = first; d <= last; ++d) {
        up.push_back(Above(static_cast<double>(d) * fine, 0, sigma));
        down.push_back(Below(static_cast<double>(d) * fine, 0, sigma));
    }
    for (long j = 0; j < count; ++j) {
        const std::vector<double>& tail =
            mean > thresholds[static_cast<std::size_t>(j)] ? down : up;
        const long offset = kFine * j + first;
        double sum = 0;
        for (const auto& [r, p] : mass)
            sum += p * tail[static_cast<std::size_t>(r - offset)];
        row[static_cast<std::size_t>(j)] += sum;
    }
}

}  // namespace

std::optional<LinkStatistics> ComputeLinkStatistics(const StatEyeSetup& setup) {
    const LinkConfig& c = setup.config;
    if (!c.data || !c.preCode[0] || !c.code[0] || !c.format[0] || c.format[1] != c.format[0])
        return std::nullopt;
    LinkStatistics s;
    s.link = {*c.format[0], *c.code[0], *c.preCode[0], c.invert};
    const auto levels = DecisionLevels(*c.format[0]);
    s.levels.assign(levels.begin(), levels.end());
    for (std::size_t i = 0; i < s.levels.size(); ++i)
        s.nominal.push_back(c.invert ? s.levels.size() - 1 - i : i);
    s.dBaudRate = setup.dBaudRate;
    s.thresholds = setup.thresholds;
    s.samplingInstant = c.samplingOffset;
    s.decodesAsSent = c.code[1] == c.code[0] && c.preCode[1] == c.preCode[0];
    s.referenceEnergy =
        setup.referenceEnergy > 0
            ? setup.referenceEnergy
            : ComputeLinkReference(c, setup.responses, setup.dBaudRate).energyPerSlot;
    s.noiseSigma = StatNoiseSigma(s, c.noiseLevel);

    const auto responses = FormResponses(setup, *c.format[0]);
    std::vector<std::vector<double>> inner;
    for (int i = 0; i < kStatInstants; ++i)
        inner.push_back(Taps(
            *responses, SlotSamplePattern(kSymbols / 2, kFirstStatInstant + i, c.echo, c.invert)));
    s.window =
        setup.window > 0 ? std::min(setup.window, kMaxLevelWindow) : WindowFor(s.levels.size());
    s.windowStart = WindowStart(inner, s.window);
    for (int i = 0; i < kStatInstants; ++i)
        s.instants[static_cast<std::size_t>(i)] =
            Instant(*responses, setup, s, kFirstStatInstant + i);
    s.share.assign(s.levels.size(), 0);
    for (const NoiseClass& nc : s.instants[0].classes)
        for (std::size_t a = 0; a < s.levels.size(); ++a)
            for (const ValueMass& m : nc.byLevel[a])
                s.share[a] += m.p;
    return s;
}

double StatNoiseSigma(const LinkStatistics& stats, double noiseLevel) {
    if (!(noiseLevel > 0)) return 0;
    return NoiseSigma(NoiseLevel(noiseLevel), stats.referenceEnergy, stats.dBaudRate);
}

DecisionRates RatesAt(const LinkStatistics& s, int samplingOffset, const Thresholds& thresholds,
                      double noiseSigma) {
    const InstantStatistics& instant = InstantOf(s, samplingOffset);
    const std::size_t n = s.levels.size();
    const auto regions = Regions(n, thresholds);
    LinkSetup plain = s.link;
    plain.inverted = false;
    const DecisionCosts& costs = WrongDecisionCosts(plain);
    DecisionRates out;
    double cost = 0;
    for (const NoiseClass& c : instant.classes) {
        const double sigma = noiseSigma * c.deviation;
        for (std::size_t a = 0; a < n; ++a) {
            const auto right = regions[s.nominal[a]];
            const auto& row = costs.cost[static_cast<std::size_t>(s.levels[a] + 3)];
            for (const ValueMass& m : c.byLevel[a]) {
                out.wrongDecisions += m.p * Outside(m.value, right, sigma, 0);
                out.lower += m.p * Outside(m.value, right, sigma, -instant.shiftBound);
                out.upper += m.p * Outside(m.value, right, sigma, instant.shiftBound);
                // Inverted, deciding b where the mirror of a was due costs what deciding b's
                // mirror instead of a costs the plain link: the decoder reads the same
                // transitions and marks from the mirrored levels.
                for (std::size_t b = 0; b < n; ++b) {
                    if (b == s.nominal[a]) continue;
                    const std::size_t as = s.link.inverted ? n - 1 - b : b;
                    cost += m.p * Within(m.value, regions[b], sigma) *
                            row[static_cast<std::size_t>(s.levels[as] + 3)];
                }
            }
        }
    }
    out.dataBits = s.decodesAsSent ? std::min(1.0, BaseDataErrors(s.link) + cost) : NAN;
    return out;
}

double WrongSideRate(const LinkStatistics& s, int samplingOffset, double y, double noiseSigma) {
    const InstantStatistics& instant = InstantOf(s, samplingOffset);
    const std::vector<double> means = MeanLevels(instant, s.levels.size());
    double rate = 0;
    for (const NoiseClass& c : instant.classes) {
        const double sigma = noiseSigma * c.deviation;
        for (std::size_t a = 0; a < s.levels.size(); ++a) {
            const bool above = means[a] > y;
            for (const ValueMass& m : c.byLevel[a]) {
                rate += m.p * (above ? Below(m.value, y, sigma) : Above(m.value, y, sigma));
            }
        }
    }
    return rate;
}

std::vector<double> MeanSamples(const LinkStatistics& stats, int samplingOffset) {
    return MeanLevels(InstantOf(stats, samplingOffset), stats.levels.size());
}

std::pair<double, double> DefaultEyeRange(const LinkStatistics& s, double noiseSigma) {
    double lo = INFINITY, hi = -INFINITY, deviation = 0;
    for (const InstantStatistics& instant : s.instants)
        for (const NoiseClass& c : instant.classes) {
            deviation = std::max(deviation, c.deviation * noiseSigma);
            for (const auto& values : c.byLevel)
                for (const ValueMass& m : values) {
                    lo = std::min(lo, m.value);
                    hi = std::max(hi, m.value);
                }
        }
    if (!(hi > lo)) return {-1, 1};
    const double span = hi - lo;
    const double pad = std::min(std::max(0.1 * span, 8 * deviation), 0.5 * span);
    return {lo - pad, hi + pad};
}

StatisticalEye ComputeStatisticalEye(const LinkStatistics& s, double noiseSigma, int thresholdCount,
                                     std::optional<std::pair<double, double>> range) {
    thresholdCount = std::clamp(thresholdCount, 2, 4096);
    // A range that is no interval (empty, reversed, not finite) takes the default.
    const bool given = range && range->second > range->first && std::isfinite(range->first) &&
                       std::isfinite(range->second);
    const auto [lo, hi] = given ? *range : DefaultEyeRange(s, noiseSigma);
    StatisticalEye eye;
    for (int i = 0; i < kStatInstants; ++i)
        eye.instants.push_back(kFirstStatInstant + i);
    const double step = (hi - lo) / (thresholdCount - 1);
    for (int j = 0; j < thresholdCount; ++j)
        eye.thresholds.push_back(lo + j * step);
    eye.rate.assign(eye.instants.size() * eye.thresholds.size(), 0);
    for (std::size_t i = 0; i < eye.instants.size(); ++i) {
        const InstantStatistics& instant = s.instants[i];
        const std::vector<double> means = MeanLevels(instant, s.levels.size());
        const std::span<double> row(eye.rate.data() + i * eye.thresholds.size(),
                                    eye.thresholds.size());
        for (const NoiseClass& c : instant.classes)
            for (std::size_t a = 0; a < s.levels.size(); ++a)
                AddWrongSide(c.byLevel[a], means[a], noiseSigma * c.deviation, eye.thresholds, row);
    }
    return eye;
}

}  // namespace linelab
