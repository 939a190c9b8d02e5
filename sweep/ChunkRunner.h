#pragma once
// The unit of work of a sweep: one chunk of runs at one noise level, drawn from its own
// generator stream. The sweep only schedules chunks and adds up their counts; what a chunk
// runs (real engines, or a test's stand-in) is behind this interface.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/BlockInterval.h"

namespace linelab {

struct ChunkCounts {
    uint64_t errors = 0;  // data bits received wrongly
    uint64_t bits = 0;    // data bits compared
    uint64_t runs = 0;
    uint64_t foldedRuns = 0;  // of those, runs the folded runner made (the rest the engine)
    // The same counts in blocks of whole runs, in order, for the interval that holds when
    // errors cluster; bounded however many runs are added (analysis/BlockInterval.h).
    BlockSeries blocks = {};

    // Adds later counts: a single run to the blocks as a run, counts that bring blocks of
    // their own as those blocks, other counts (a chunk told only by its totals) as one block.
    ChunkCounts& operator+=(const ChunkCounts& o) {
        errors += o.errors;
        bits += o.bits;
        runs += o.runs;
        foldedRuns += o.foldedRuns;
        if (!o.blocks.Blocks().empty())
            blocks.Append(o.blocks);
        else if (o.runs == 1)
            blocks.AddRun(o.errors, o.bits);
        else if (o.runs > 1)
            blocks.Append(BlockCounts{o.errors, o.bits, o.runs});
        return *this;
    }
    friend bool operator==(const ChunkCounts&, const ChunkCounts&) = default;
};

struct ChunkRequest {
    double dNoiseLevel = 0;   // W/kHz
    uint64_t seed = 0;        // the chunk's own generator stream
    uint64_t bitsBudget = 0;  // run until at least this many bits were compared
};

// Which runner made a point's chunks: "folded", "engine", or "mixed" when some of each.
const char* RunnerName(const ChunkCounts& counts);

// Polled between runs; true once the chunk's result is no longer wanted.
using StopRequested = std::function<bool()>;

class ChunkRunner {
  public:
    virtual ~ChunkRunner() = default;
    // The counts of the whole chunk, or nullopt when stopped before its budget was spent
    // (a partial chunk is never counted: its bits would depend on when the stop came). The
    // result must depend on the request alone, never on what the runner ran before, so
    // that a sweep's results do not depend on which thread ran which chunk.
    virtual std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                           const StopRequested& stop) = 0;
};

// Makes one runner per worker thread; called from the thread that starts the sweep.
using ChunkRunnerFactory = std::function<std::unique_ptr<ChunkRunner>()>;

// The generator seed of chunk `chunk` of point `point` in a sweep seeded with `seed`:
// splitmix64 steps over the three numbers, so neighbouring chunks and points get unrelated
// streams and the same triple always the same one.
uint64_t ChunkSeed(uint64_t seed, uint64_t point, uint64_t chunk);

}  // namespace linelab
