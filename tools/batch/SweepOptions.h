#pragma once
// linelab-batch --sweep: a BER curve over Eb/N0 instead of a run, printed as CSV.
//     --sweep EbN0=FROM:STEP:TO [--min-errors N] [--max-bits N] [--jobs N] [--seed N]
//             [--runner folded|engine] [--noise fixed|per-run] [--thresholds midway|as-set]

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/LinkConfig.h"

namespace linelab {

struct SweepOptions {
    std::vector<double> ebN0dB;
    uint64_t minErrors = 100;
    uint64_t maxBits = 100000000;
    int jobs = 0;  // 0: one per core
    uint64_t seed = 1;
    bool engineRunner = false;  // --runner engine: the full chain for every chunk
    // The textbook's receiver unless told otherwise; per-run and as-set are the window's.
    NoiseScaling noise = NoiseScaling::Fixed;
    ThresholdChoice thresholds = ThresholdChoice::Midway;
};

// The texts of the sweep's options as given (the last of each counts), checked together.
struct RawSweepOptions {
    std::vector<std::string> sweep, minErrors, maxBits, jobs, seed, runner, noise, thresholds;
    bool Any() const {
        return !sweep.empty() || !minErrors.empty() || !maxBits.empty() || !jobs.empty() ||
               !seed.empty() || !runner.empty() || !noise.empty() || !thresholds.empty();
    }
};

// nullopt-free result: either options, or the one-line refusal.
struct CheckedSweep {
    std::optional<SweepOptions> options;
    std::optional<std::string> error;
};

// Refuses malformed values and sweep options without --sweep; runsOrDump says whether
// --runs or --dump were given, which a sweep does not combine with.
CheckedSweep CheckSweepOptions(const RawSweepOptions& raw, bool runsOrDump);

}  // namespace linelab
