#include "analysis/EyeStatistics.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "analysis/IdealBer.h"
#include "common/Tables.h"
#include "receiver/Demodulator.h"

namespace linelab {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The real part at a half-sample position: even positions are a sample's real part, odd
// ones the mean of the two neighbouring real parts, as the receiver samples them.
double ValueAt(std::span<const double> d, int halfSample) {
    if (halfSample % 2 == 0) return d[static_cast<std::size_t>(halfSample)];
    return (d[static_cast<std::size_t>(halfSample + 1)] +
            d[static_cast<std::size_t>(halfSample - 1)]) *
           0.5;
}

double Sigma(uint64_t count, double squares) {
    return count > 1 ? std::sqrt(squares / static_cast<double>(count - 1)) : 0.0;
}

double GapQ(const EyeLevelFigures& lower, const EyeLevelFigures& upper) {
    const double spread = lower.dSigma + upper.dSigma;
    const double distance = upper.dMean - lower.dMean;
    return spread > 0 ? distance / spread : kInfinity;
}

// The share of a level's samples that land beyond the threshold t, on the side away from
// its own mean (above for the lower level of a gap, below for the upper one), with the
// samples taken as normal about the level's own mean with its own spread. No spread: all or
// nothing, by which side the mean is on.
double Beyond(const EyeLevelFigures& level, double t, bool upward) {
    const double margin = upward ? t - level.dMean : level.dMean - t;
    if (level.dSigma > 0) return GaussianTail(margin / level.dSigma);
    return margin > 0 ? 0.0 : 1.0;
}

}  // namespace

void EyeStatistics::Clear() {
    for (Track& track : tracks_) {
        track = Track{};
        track.dLowest.fill(kInfinity);
        track.dHighest.fill(-kInfinity);
    }
}

void EyeStatistics::AddSymbol(Track& track, std::span<const double> d, int centre) {
    for (int t = -kReach; t <= kReach; ++t) {
        const double v = ValueAt(d, centre + 2 * t);
        const auto i = static_cast<std::size_t>(t + kReach);
        track.dLowest[i] = std::min(track.dLowest[i], v);
        track.dHighest[i] = std::max(track.dHighest[i], v);
    }
    // Welford's update keeps the spread exact however many runs pile up.
    const double v = ValueAt(d, centre);
    ++track.count;
    const double delta = v - track.dMean;
    track.dMean += delta / static_cast<double>(track.count);
    track.dSquares += delta * (v - track.dMean);
}

void EyeStatistics::AddRun(std::span<const double> d, std::span<const int16_t> levels,
                           int sampleOffset) {
    const int halfSamplesPerSymbol = 2 * kSamplesPerSymbol;
    const int last = static_cast<int>(d.size()) - 2;  // highest even index with a neighbour
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const int level = levels[k];
        if (level < -3 || level > 3) continue;
        const int centre = static_cast<int>(k) * halfSamplesPerSymbol + sampleOffset;
        const int reach = 2 * kReach;
        if (centre - reach < 1 || centre + reach > last) continue;
        AddSymbol(tracks_[static_cast<std::size_t>(level + 3)], d, centre);
    }
}

std::pair<double, double> EyeStatistics::Opening(std::span<const Track* const> below,
                                                 std::span<const Track* const> above,
                                                 double threshold) const {
    auto open = [&](int t) {
        const auto i = static_cast<std::size_t>(t + kReach);
        for (const Track* track : below)
            if (!(track->dHighest[i] < threshold)) return false;
        for (const Track* track : above)
            if (!(track->dLowest[i] > threshold)) return false;
        return true;
    };
    if (!open(0)) return {0.0, 0.0};
    int left = 0;
    int right = 0;
    while (left > -kReach && open(left - 1))
        --left;
    while (right < kReach && open(right + 1))
        ++right;
    // Each open sample stands for the half sample either side of it.
    const double perSymbol = kSamplesPerSymbol;
    return {(left - 0.5) / perSymbol, (right - left + 1) / perSymbol};
}

EyeFigures EyeStatistics::Figures(std::span<const double> gapThresholds,
                                  std::span<const double> gapWeights) const {
    EyeFigures figures;
    std::vector<const Track*> seen;
    for (int i = 0; i < kLevels; ++i) {
        const Track& track = tracks_[static_cast<std::size_t>(i)];
        if (track.count == 0) continue;
        seen.push_back(&track);
        figures.levels.push_back(
            {i - 3, track.count, track.dMean, Sigma(track.count, track.dSquares)});
    }
    // Sorted by mean, so an inverted or otherwise scrambled eye still pairs the levels that
    // actually lie next to each other.
    std::vector<std::size_t> order(seen.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return figures.levels[a].dMean < figures.levels[b].dMean;
    });
    std::vector<EyeLevelFigures> levels;
    std::vector<const Track*> tracks;
    for (std::size_t i : order) {
        levels.push_back(figures.levels[i]);
        tracks.push_back(seen[i]);
    }
    figures.levels = levels;
    if (levels.size() < 2) return figures;

    const std::size_t gaps = levels.size() - 1;
    const bool useThresholds = gapThresholds.size() == gaps;
    const bool useWeights = gapWeights.size() == gaps;
    double total = 0;
    for (const EyeLevelFigures& level : levels)
        total += static_cast<double>(level.count);
    figures.dQ = kInfinity;
    figures.dPredictedBer = 0;
    for (std::size_t g = 0; g < gaps; ++g) {
        const EyeLevelFigures& lower = levels[g];
        const EyeLevelFigures& upper = levels[g + 1];
        EyeGapFigures gap;
        gap.dThreshold = useThresholds ? gapThresholds[g] : (lower.dMean + upper.dMean) / 2;
        gap.dBottom = tracks[g]->dHighest[kReach];
        gap.dHeight = std::max(0.0, tracks[g + 1]->dLowest[kReach] - gap.dBottom);
        std::tie(gap.dLeft, gap.dWidth) = Opening(std::span(tracks).first(g + 1),
                                                  std::span(tracks).subspan(g + 1), gap.dThreshold);
        gap.dQ = GapQ(lower, upper);
        figures.gaps.push_back(gap);
        figures.dQ = std::min(figures.dQ, gap.dQ);
        // Each neighbour crosses the gap's actual threshold with its own tail, weighted by how
        // often it is sent: a threshold off the middle, or levels of unequal spread or
        // frequency (unipolar, the three-level codes' zeros, 4-PAM), shift the rate a single
        // Q-factor would miss.
        const double crossings =
            static_cast<double>(lower.count) / total * Beyond(lower, gap.dThreshold, true) +
            static_cast<double>(upper.count) / total * Beyond(upper, gap.dThreshold, false);
        const double weight = useWeights ? gapWeights[g] : 1.0;
        figures.dPredictedBer += crossings * weight;
    }
    return figures;
}

std::vector<double> EyeGapThresholds(std::optional<Format> format, std::span<const double> t) {
    if (!format || t.size() < 4) return {};
    switch (Info(*format).kind) {
        case FormatClass::TwoLevel:
            return {t[0]};
        case FormatClass::ThreeLevel:
            return {t[1], t[0]};
        case FormatClass::FourLevel:
            return {t[2], t[1], t[0]};
    }
    return {};
}

std::vector<double> EyeGapWeights(std::optional<Format> format) {
    if (!format) return {};
    switch (*format) {
        case Format::UnipolarNrzi:
        case Format::PolarNrzi:
            return {2.0};
        case Format::Mlt3:
            return {2.0, 2.0};
        case Format::Ami:
        case Format::Hdb3:
            return {1.0, 1.0};
        case Format::Pam4:
            return {0.5, 1.0, 0.5};
        default:
            return {1.0};
    }
}

double PredictedDataBer(std::span<const EyeLevelFigures> levels, const LinkSetup& setup,
                        const Thresholds& thresholds) {
    // The decision regions: the line cut at every threshold, each piece decided as its
    // inside is.
    std::vector<double> cuts(thresholds.begin(), thresholds.begin() + 4);
    std::erase_if(cuts, [](double c) { return !std::isfinite(c); });
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    struct Region {
        double lo, hi;
        int16_t decided;
    };
    std::vector<Region> regions;
    for (std::size_t i = 0; i <= cuts.size(); ++i) {
        const double lo = i == 0 ? -kInfinity : cuts[i - 1];
        const double hi = i == cuts.size() ? kInfinity : cuts[i];
        const double inside = i == 0 ? hi - 1 : i == cuts.size() ? lo + 1 : (lo + hi) / 2;
        regions.push_back({lo, hi, DecideLevel(setup.format, inside, thresholds)});
    }
    const DecisionCosts& costs = WrongDecisionCosts(setup);
    double total = 0;
    for (const EyeLevelFigures& level : levels)
        total += static_cast<double>(level.count);
    double ber = 0;
    for (const EyeLevelFigures& level : levels) {
        if (level.iLevel < -3 || level.iLevel > 3) continue;
        const auto a = static_cast<std::size_t>(level.iLevel + 3);
        if (!(costs.share[a] > 0)) continue;
        const double share = static_cast<double>(level.count) / total;
        for (const Region& r : regions) {
            if (r.decided == level.iLevel) continue;
            // The mass of the region from the tail on its side of the mean, so that small
            // probabilities keep their digits.
            double p = 0;
            if (level.dSigma > 0) {
                const double s = level.dSigma;
                if (r.lo >= level.dMean)
                    p = GaussianTail((r.lo - level.dMean) / s) -
                        GaussianTail((r.hi - level.dMean) / s);
                else if (r.hi <= level.dMean)
                    p = GaussianTail((level.dMean - r.hi) / s) -
                        GaussianTail((level.dMean - r.lo) / s);
                else
                    p = 1 - GaussianTail((r.hi - level.dMean) / s) -
                        GaussianTail((level.dMean - r.lo) / s);
            } else {
                p = level.dMean > r.lo && level.dMean <= r.hi ? 1.0 : 0.0;
            }
            ber += share * p * costs.cost[a][static_cast<std::size_t>(r.decided + 3)];
        }
    }
    return std::min(ber, 1.0);
}

}  // namespace linelab
