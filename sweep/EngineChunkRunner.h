#pragma once
// Chunks run by real engines: a fresh engine per chunk (so a chunk's counts depend on its
// request alone, never on the chunk a worker ran before), every panel off, its generator
// seeded with the chunk's seed.

#include <memory>
#include <vector>

#include "analysis/StatisticalEye.h"
#include "sweep/ChunkRunner.h"
#include "sweep/SweepSettings.h"

namespace linelab {

// Which runner a sweep uses: the folded one (the default; the engine where it does not
// cover the settings) or the full chain of the engine.
enum class SweepRunner { Folded, Engine };

// Makes one runner of the kind per worker, each with its own copy of the settings.
ChunkRunnerFactory SweepRunners(const SweepSettings& settings, SweepRunner kind);
std::unique_ptr<ChunkRunner> MakeSweepRunner(const SweepSettings& settings, SweepRunner kind);

// What the runners' decisions will compare with for these settings, from one design pass:
// midway when asked for and formed, inseparable when asked for and two levels arrive with the
// same mean, as set otherwise (and when the settings cannot run at all).
Decisions DecisionsFor(const SweepSettings& settings);

// Makes one engine-backed runner per worker, each with its own copy of the settings.
ChunkRunnerFactory EngineRunners(const SweepSettings& settings);

// One runner, for a benchmark or a test that runs chunks itself.
std::unique_ptr<ChunkRunner> MakeEngineRunner(const SweepSettings& settings);

// The decision samples and per-run error counts of `runs` runs of one kind at one noise
// level from one seed: what the equivalence checks of the two runners compare.
struct DecisionRecord {
    std::vector<double> samples;   // 128 a run, in slot order
    std::vector<int16_t> sent;     // the levels sent, 128 a run
    std::vector<int16_t> decided;  // the levels decided, 128 a run
    std::vector<uint64_t> errors;  // one a run
    uint64_t bits = 0;
};
DecisionRecord RecordDecisions(const SweepSettings& settings, SweepRunner kind, double noiseLevel,
                               uint64_t seed, int runs);

// What the statistical eye needs of these settings at a noise level, from one design pass:
// the settings as the engine runs them, its responses, symbol rate and thresholds, and the
// energy a fixed noise density refers to. Throws when the settings cannot run.
StatEyeSetup StatEyeSetupFor(const SweepSettings& settings, double noiseLevel);

}  // namespace linelab
