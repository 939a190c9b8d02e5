#pragma once
// A sweep's schedule, without threads: whoever runs chunks (the threaded sweep under its lock,
// the page's chunk workers) asks for the next chunk and hands back its counts, and the plan
// decides which chunks a point's result sums (chunks 0..K-1, K the first count reaching the
// errors or the bits). So a point's counts are the same for the same seed, however many
// workers ran its chunks and in whatever order they finished.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "analysis/BinomialInterval.h"
#include "analysis/BlockInterval.h"
#include "sweep/ChunkRunner.h"

namespace linelab {

// What a point's decisions compared with: midway thresholds, the thresholds as set (asked
// for, or midway could not be formed: receive mapping unlike the transmitted one, a level
// never sent), or nothing that could work: two levels arrive with the same mean, so no
// thresholds tell them apart and the rate says nothing about the link.
enum class Decisions : uint8_t { AsSet, Midway, Inseparable };

struct SweepPoint {
    double dEbN0dB = 0;
    double dNoiseLevel = 0;  // W/kHz giving that Eb/N0
    // Wrong data bits one wrong decision costs on average (ExactBer.h's BitsPerWrongDecision):
    // how far the exact interval of a point with few errors is widened for their clustering.
    double dClusterBits = 1;
    Decisions decisions = Decisions::AsSet;
};

struct SweepLimits {
    uint64_t minErrors = 100;
    uint64_t maxBits = 100000000;
    uint64_t seed = 1;
    uint64_t chunkBits = 1 << 15;  // bits per chunk: about 300 runs of the plain code
    int threads = 0;               // 0: one per core
};

struct PointResult {
    std::size_t index = 0;
    SweepPoint point;
    ChunkCounts counts;
    double dBer = 0;            // errors / bits, 0 before any bit
    BinomialInterval interval;  // exact 95 %
    RateInterval blocks;  // 95 % from the spread between blocks of runs (analysis/BlockInterval.h)
    bool complete = false;  // reached its errors or its bits (false when cancelled)
};

struct ChunkTask {
    std::size_t point = 0;
    uint64_t chunk = 0;
};

class SweepPlan {
  public:
    SweepPlan(std::vector<SweepPoint> points, SweepLimits limits);

    // The next chunk to run, or nothing when every chunk a point may need is handed out.
    std::optional<ChunkTask> Next();
    ChunkRequest RequestOf(const ChunkTask& task) const;
    // A finished chunk; the point's result when this chunk completed it.
    std::optional<PointResult> Finish(const ChunkTask& task, const ChunkCounts& counts);
    // A point nobody needs more chunks of: a worker may drop its chunk of it.
    bool PointComplete(std::size_t point) const { return states_.at(point).complete; }
    bool Done() const { return pointsDone_ == points_.size(); }

    PointResult ResultOf(std::size_t point) const;
    // The point's finished chunks so far, in chunk order: those its result sums once it is
    // complete.
    ChunkCounts CountsOf(std::size_t point) const;
    // Chunk records the plan holds for a point: those finished before an earlier one, waiting
    // to be added in order. The rest are merged as they come, so a point's memory does not
    // grow with its length.
    std::size_t HeldChunks(std::size_t point) const { return states_.at(point).held.size(); }
    std::size_t Points() const { return points_.size(); }
    std::size_t PointsDone() const { return pointsDone_; }

  private:
    struct PointState {
        uint64_t maxChunks = 0;
        uint64_t nextChunk = 0;                // chunks handed out: 0..nextChunk-1
        uint64_t prefix = 0;                   // chunks 0..prefix-1 are summed in prefixCounts
        ChunkCounts prefixCounts;              // their blocks merged as they grow
        std::map<uint64_t, ChunkCounts> held;  // finished past the prefix, by chunk
        bool complete = false;
    };

    std::vector<SweepPoint> points_;
    SweepLimits limits_;
    std::vector<PointState> states_;
    std::size_t pointsDone_ = 0;
};

}  // namespace linelab
