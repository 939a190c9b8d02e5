#include "sweep/SweepSettings.h"

#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "common/Tables.h"
#include "receiver/Noise.h"

namespace linelab {

LinkConfig ChunkConfig(LinkConfig c, double noiseLevel) {
    c.shown.Clear();
    c.noiseLevel = NoiseLevel(noiseLevel);
    return c;
}

std::vector<SweepPoint> SweepPointsFor(const SweepSettings& settings,
                                       const std::vector<double>& ebN0dB) {
    const LinkConfig& c = settings.config;
    const double rate = SymbolRate(c.code[0], c.format[0]);
    const double symbolsPerBit = SymbolsPerDataBit(c.code[0], c.format[0]);
    std::vector<SweepPoint> points;
    for (double dB : ebN0dB)
        points.push_back({dB, NoiseLevelForEbN0(dB, rate, symbolsPerBit)});
    return points;
}

double TheoryFor(const SweepSettings& settings, double ebN0dB) {
    const LinkConfig& c = settings.config;
    return IdealBerAtDb(NameOr(c.format[0]), NameOr(c.code[0]), NameOr(c.preCode[0]), ebN0dB);
}

std::string_view NoiseScalingName(NoiseScaling scaling) {
    return scaling == NoiseScaling::Fixed ? "fixed" : "per-run";
}

std::string_view ThresholdChoiceName(ThresholdChoice choice) {
    return choice == ThresholdChoice::Midway ? "midway" : "as-set";
}

std::optional<NoiseScaling> NoiseScalingNamed(std::string_view name) {
    if (name == "fixed") return NoiseScaling::Fixed;
    if (name == "per-run") return NoiseScaling::PerRun;
    return std::nullopt;
}

std::optional<ThresholdChoice> ThresholdChoiceNamed(std::string_view name) {
    if (name == "midway") return ThresholdChoice::Midway;
    if (name == "as-set") return ThresholdChoice::AsSet;
    return std::nullopt;
}

void UseTextbookReceiver(LinkConfig& config) {
    config.noiseScaling = NoiseScaling::Fixed;
    config.thresholdChoice = ThresholdChoice::Midway;
}

std::string CurveLabel(const SweepSettings& settings) {
    const LinkConfig& c = settings.config;
    const std::string noise = c.noiseScaling == NoiseScaling::Fixed ? "fixed N0" : "per-run N0";
    const std::string thresholds =
        c.thresholdChoice == ThresholdChoice::Midway ? "midway" : "thresholds as set";
    return std::string(NameOr(c.format[0])) + ", " + std::string(NameOr(c.code[0])) + ", " +
           std::string(NameOr(settings.filters.side[0].type)) + " / " +
           std::string(NameOr(settings.filters.side[1].type)) + ", " + noise + ", " + thresholds;
}

}  // namespace linelab
