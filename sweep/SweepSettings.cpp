#include "sweep/SweepSettings.h"

#include <algorithm>

#include "analysis/ExactBer.h"
#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "common/Tables.h"
#include "receiver/Noise.h"
#include "sweep/EngineChunkRunner.h"

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
    const double clusterBits = ClusterBitsFor(settings);
    const Decisions decisions = DecisionsFor(settings);
    std::vector<SweepPoint> points;
    for (double dB : ebN0dB)
        points.push_back({dB, NoiseLevelForEbN0(dB, rate, symbolsPerBit), clusterBits, decisions});
    return points;
}

double ClusterBitsFor(const SweepSettings& settings) {
    const LinkConfig& c = settings.config;
    if (!c.format[0] || !c.code[0] || !c.preCode[0]) return 1;
    return std::max(1.0, BitsPerWrongDecision({*c.format[0], *c.code[0], *c.preCode[0]}));
}

double TheoryFor(const SweepSettings& settings, double ebN0dB) {
    const LinkConfig& c = settings.config;
    return IdealBerAtDb(c.format[0], c.code[0], c.preCode[0], ebN0dB);
}

std::string_view NoiseScalingName(NoiseScaling scaling) {
    return scaling == NoiseScaling::Fixed ? "fixed" : "per-run";
}

std::string_view DecisionsName(Decisions decisions) {
    switch (decisions) {
        case Decisions::Midway:
            return "midway";
        case Decisions::Inseparable:
            return "inseparable";
        case Decisions::AsSet:
            break;
    }
    return "as-set";
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

}  // namespace linelab
