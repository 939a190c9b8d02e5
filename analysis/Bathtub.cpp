#include "analysis/Bathtub.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "analysis/SignalToNoise.h"
#include "common/Tables.h"

namespace linelab {
namespace {

constexpr double kSlotsPerStep = 1.0 / 32;  // one step of the sampling slider

// The index of the lowest value, the one nearest `preferred` among those within rounding
// of it.
std::size_t Lowest(const std::vector<double>& values, std::size_t preferred) {
    const double least = *std::min_element(values.begin(), values.end());
    std::size_t best = preferred;
    bool found = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!(values[i] <= least * (1 + 1e-9))) continue;
        const auto distance = [&](std::size_t j) {
            return j > preferred ? j - preferred : preferred - j;
        };
        if (!found || distance(i) < distance(best)) best = i;
        found = true;
    }
    return best;
}

// The number of steps either side of `at` over which values stay at or below `rate`, less
// one: the opening in steps, 0 when the value at `at` is above it.
double Run(const std::vector<double>& values, std::size_t at, double rate) {
    if (!(values[at] <= rate)) return 0;
    std::size_t lo = at, hi = at;
    while (lo > 0 && values[lo - 1] <= rate)
        --lo;
    while (hi + 1 < values.size() && values[hi + 1] <= rate)
        ++hi;
    return static_cast<double>(hi - lo);
}

std::size_t Nearest(const std::vector<double>& grid, double value) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < grid.size(); ++i)
        if (std::abs(grid[i] - value) < std::abs(grid[best] - value)) best = i;
    return best;
}

}  // namespace

Bathtub ComputeBathtub(const LinkStatistics& stats, double noiseSigma, int thresholdCount) {
    Bathtub out;
    out.instantInUse =
        std::clamp(stats.samplingInstant, kFirstStatInstant, kFirstStatInstant + kStatInstants - 1);
    out.thresholdInUse = stats.thresholds[0];
    out.thresholdInUseRate = WrongSideRate(stats, out.instantInUse, out.thresholdInUse, noiseSigma);
    std::vector<double> byInstant;
    for (int i = 0; i < kStatInstants; ++i) {
        const int v = kFirstStatInstant + i;
        out.instants.push_back(v);
        out.byInstant.push_back(RatesAt(stats, v, stats.thresholds, noiseSigma));
        byInstant.push_back(out.byInstant.back().wrongDecisions);
    }
    const auto range = DefaultEyeRange(stats, noiseSigma);
    thresholdCount = std::clamp(thresholdCount, 2, 4096);
    const double step = (range.second - range.first) / (thresholdCount - 1);
    for (int j = 0; j < thresholdCount; ++j) {
        out.thresholds.push_back(range.first + j * step);
        out.byThreshold.push_back(
            WrongSideRate(stats, out.instantInUse, out.thresholds.back(), noiseSigma));
    }
    const std::size_t bestInstant =
        Lowest(byInstant, static_cast<std::size_t>(out.instantInUse - kFirstStatInstant));
    out.bestInstant = out.instants[bestInstant];
    // Beyond the outermost levels nothing is on a wrong side: the best threshold is looked
    // for between them.
    const auto means = MeanSamples(stats, out.instantInUse);
    const auto [low, high] = std::minmax_element(means.begin(), means.end());
    std::vector<double> inside = out.byThreshold;
    for (std::size_t j = 0; j < inside.size(); ++j)
        if (!(out.thresholds[j] > *low && out.thresholds[j] < *high)) inside[j] = 1;
    const std::size_t bestThreshold = Lowest(inside, Nearest(out.thresholds, out.thresholdInUse));
    out.bestThreshold = out.thresholds[bestThreshold];
    for (double rate : {1e-6, 1e-12})
        out.openings.push_back({rate, Run(byInstant, bestInstant, rate) * kSlotsPerStep,
                                Run(out.byThreshold, bestThreshold, rate) * step});
    return out;
}

std::vector<StatBerPoint> StatisticalBerCurve(const LinkStatistics& stats,
                                              const std::vector<double>& ebN0dB) {
    const LinkSetup& link = stats.link;
    const double rate = SymbolRate(link.code, link.format);
    const double symbolsPerBit = SymbolsPerDataBit(link.code, link.format);
    std::vector<StatBerPoint> curve;
    for (double dB : ebN0dB) {
        StatBerPoint point;
        point.ebN0dB = dB;
        point.noiseLevel = NoiseLevelForEbN0(dB, rate, symbolsPerBit);
        point.rates = RatesAt(stats, stats.samplingInstant, stats.thresholds,
                              StatNoiseSigma(stats, point.noiseLevel));
        curve.push_back(point);
    }
    return curve;
}

}  // namespace linelab
