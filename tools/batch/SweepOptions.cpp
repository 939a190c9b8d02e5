#include "tools/batch/SweepOptions.h"

#include <charconv>

#include "sweep/Sweep.h"
#include "sweep/SweepRange.h"
#include "sweep/SweepSettings.h"
#include "tools/batch/BatchOptions.h"
#include "tools/batch/JsonString.h"

namespace linelab {
namespace {

constexpr std::string_view kRangeName = "EbN0=";

std::optional<std::string> Count(const std::vector<std::string>& texts, std::string_view option,
                                 uint64_t least, uint64_t& out) {
    if (texts.empty()) return std::nullopt;
    const auto value = ParseRunCount(texts.back());
    if (!value || *value < least) {
        return Refusal(std::string(option) + " takes a whole number " + std::to_string(least) +
                       " or more, not " + QuotedForMessage(texts.back()));
    }
    out = *value;
    return std::nullopt;
}

// The seed picks the noise, so a value beyond 64 bits is refused rather than capped: two
// different seeds must not give the same run.
std::optional<std::string> Seed(const std::vector<std::string>& texts, uint64_t& out) {
    if (texts.empty()) return std::nullopt;
    const std::string& text = texts.back();
    uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || text.front() < '0' || text.front() > '9' || error != std::errc() ||
        end != text.data() + text.size()) {
        return Refusal("--seed takes a whole number 0 or more, at most 18446744073709551615, not " +
                       QuotedForMessage(text));
    }
    out = seed;
    return std::nullopt;
}

std::optional<std::string> Range(const std::string& text, std::vector<double>& out) {
    const std::string_view view = text;
    std::optional<std::vector<double>> points;
    if (view.starts_with(kRangeName)) points = ParseSweepRange(view.substr(kRangeName.size()));
    if (!points) {
        return Refusal(
            "--sweep takes EbN0=FROM:STEP:TO in dB (FROM, FROM+STEP, ... up to TO, "
            "at most " +
            std::to_string(kMaxSweepPoints) + " points), for example EbN0=0:1:8, not " +
            QuotedForMessage(text));
    }
    out = *points;
    return std::nullopt;
}

}  // namespace

CheckedSweep CheckSweepOptions(const RawSweepOptions& raw, bool runsOrDump) {
    CheckedSweep checked;
    if (!raw.Any()) return checked;
    if (raw.sweep.empty()) {
        checked.error = Refusal(
            "--min-errors, --max-bits, --jobs, --seed, --runner, --noise and --thresholds go "
            "with --sweep");
        return checked;
    }
    if (runsOrDump) {
        checked.error = Refusal(
            "--sweep prints its own CSV: it does not combine with --runs "
            "or --dump");
        return checked;
    }
    SweepOptions options;
    uint64_t jobs = 0;
    if ((checked.error = Range(raw.sweep.back(), options.ebN0dB))) return checked;
    if ((checked.error = Count(raw.minErrors, "--min-errors", 1, options.minErrors)))
        return checked;
    if ((checked.error = Count(raw.maxBits, "--max-bits", 1, options.maxBits))) return checked;
    if ((checked.error = Seed(raw.seed, options.seed))) return checked;
    if ((checked.error = Count(raw.jobs, "--jobs", 1, jobs))) return checked;
    if (jobs > static_cast<uint64_t>(kMaxSweepThreads)) {
        checked.error = Refusal("--jobs takes at most " + std::to_string(kMaxSweepThreads));
        return checked;
    }
    options.jobs = static_cast<int>(jobs);
    if (!raw.runner.empty()) {
        const std::string& runner = raw.runner.back();
        if (runner != "folded" && runner != "engine") {
            checked.error =
                Refusal("--runner takes folded or engine, not " + QuotedForMessage(runner));
            return checked;
        }
        options.engineRunner = runner == "engine";
    }
    if (!raw.noise.empty()) {
        const auto noise = NoiseScalingNamed(raw.noise.back());
        if (!noise) {
            checked.error = Refusal("--noise takes fixed or per-run, not " +
                                    QuotedForMessage(raw.noise.back()));
            return checked;
        }
        options.noise = *noise;
    }
    if (!raw.thresholds.empty()) {
        const auto thresholds = ThresholdChoiceNamed(raw.thresholds.back());
        if (!thresholds) {
            checked.error = Refusal("--thresholds takes midway or as-set, not " +
                                    QuotedForMessage(raw.thresholds.back()));
            return checked;
        }
        options.thresholds = *thresholds;
    }
    checked.options = options;
    return checked;
}

}  // namespace linelab
