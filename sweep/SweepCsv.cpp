#include "sweep/SweepCsv.h"

#include <charconv>
#include <cmath>

#include "common/DoubleChars.h"
#include "sweep/SweepSettings.h"

namespace linelab {
namespace {

std::string Shortest(double x) {
    return CsvNumber(x);
}

}  // namespace

std::string CsvNumber(double x) {
    if (!std::isfinite(x)) return "";  // an empty field rather than a word no reader parses
    if (x == 0) x = 0;                 // no "-0"
    char text[32];
    const auto [end, error] = ToChars(text, text + sizeof text, x);
    return error == std::errc() ? std::string(text, end) : std::string();
}

std::string SweepCsvLine(const PointResult& r, double theory, const LinkConfig& config) {
    return Shortest(r.point.dEbN0dB) + ',' + Shortest(r.point.dNoiseLevel) + ',' +
           std::to_string(r.counts.bits) + ',' + std::to_string(r.counts.errors) + ',' +
           Shortest(r.dBer) + ',' + Shortest(r.interval.dLow) + ',' + Shortest(r.interval.dHigh) +
           ',' + Shortest(theory) + ',' + RunnerName(r.counts) + ',' +
           Shortest(r.blocks.interval.dLow) + ',' + Shortest(r.blocks.interval.dHigh) + ',' +
           std::string(MethodName(r.blocks.method)) + ',' +
           std::string(NoiseScalingName(config.noiseScaling)) + ',' +
           std::string(ThresholdChoiceName(config.thresholdChoice)) + ',' +
           std::string(DecisionsName(r.point.decisions));
}

std::string SweepCsv(const std::vector<PointResult>& results, const std::vector<double>& theory,
                     const LinkConfig& config) {
    std::string csv = std::string(kSweepCsvHeader) + "\n";
    for (std::size_t i = 0; i < results.size(); ++i)
        csv += SweepCsvLine(results[i], i < theory.size() ? theory[i] : 0.0, config) + "\n";
    return csv;
}

}  // namespace linelab
