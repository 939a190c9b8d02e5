#pragma once
// Chunks run by real engines: a fresh engine per chunk (so a chunk's counts depend on its
// request alone, never on the chunk a worker ran before), every panel off, its generator
// seeded with the chunk's seed.

#include <memory>

#include "sweep/ChunkRunner.h"
#include "sweep/SweepSettings.h"

namespace linelab {

// Makes one engine-backed runner per worker, each with its own copy of the settings.
ChunkRunnerFactory EngineRunners(const SweepSettings& settings);

// One runner, for a benchmark or a test that runs chunks itself.
std::unique_ptr<ChunkRunner> MakeEngineRunner(const SweepSettings& settings);

}  // namespace linelab
