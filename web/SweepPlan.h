#pragma once
// A sweep's schedule without threads, for the browser: the page's chunk workers ask for the
// next chunk and hand back its counts, and the plan decides, exactly as the desktop's sweep
// does, which chunks a point's result sums (chunks 0..K-1, K the first count reaching the
// errors or the bits). So a point's counts equal the desktop's for the same seed, however
// many workers ran its chunks and in whatever order they finished.

#include <cstdint>
#include <optional>
#include <vector>

#include "sweep/ChunkRunner.h"
#include "sweep/Sweep.h"

namespace linelab::web {

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
    std::size_t Points() const { return points_.size(); }

  private:
    struct PointState {
        uint64_t maxChunks = 0;
        uint64_t nextChunk = 0;
        std::vector<std::optional<ChunkCounts>> finished;
        uint64_t prefix = 0;
        ChunkCounts prefixCounts;
        ChunkCounts allCounts;
        bool complete = false;
    };

    std::vector<SweepPoint> points_;
    SweepLimits limits_;
    std::vector<PointState> states_;
    std::size_t pointsDone_ = 0;
};

}  // namespace linelab::web
