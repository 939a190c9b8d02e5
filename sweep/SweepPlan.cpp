#include "sweep/SweepPlan.h"

#include <algorithm>

#include "analysis/BinomialInterval.h"
#include "analysis/BlockInterval.h"

namespace linelab {

SweepPlan::SweepPlan(std::vector<SweepPoint> points, SweepLimits limits)
    : points_(std::move(points)), limits_(limits), states_(points_.size()) {
    limits_.chunkBits = std::max<uint64_t>(limits_.chunkBits, 1);
    const uint64_t chunks =
        limits_.maxBits / limits_.chunkBits + (limits_.maxBits % limits_.chunkBits != 0 ? 1 : 0);
    for (PointState& s : states_) {
        s.maxChunks = chunks;
        s.complete = chunks == 0;
        if (s.complete) ++pointsDone_;
    }
}

std::optional<ChunkTask> SweepPlan::Next() {
    for (std::size_t i = 0; i < states_.size(); ++i) {
        PointState& s = states_[i];
        if (s.complete || s.nextChunk >= s.maxChunks) continue;
        return ChunkTask{i, s.nextChunk++};
    }
    return std::nullopt;
}

ChunkRequest SweepPlan::RequestOf(const ChunkTask& task) const {
    const uint64_t used = task.chunk * limits_.chunkBits;
    return {points_.at(task.point).dNoiseLevel, ChunkSeed(limits_.seed, task.point, task.chunk),
            std::min(limits_.chunkBits, limits_.maxBits - used)};
}

std::optional<PointResult> SweepPlan::Finish(const ChunkTask& task, const ChunkCounts& counts) {
    if (task.point >= states_.size()) return std::nullopt;
    PointState& s = states_[task.point];
    // A chunk past the end (its point no longer needs it), one never handed out or one
    // already counted.
    if (s.complete || task.chunk >= s.nextChunk || task.chunk < s.prefix ||
        s.held.contains(task.chunk))
        return {};
    s.held.emplace(task.chunk, counts);
    while (!s.complete && !s.held.empty() && s.held.begin()->first == s.prefix) {
        s.prefixCounts += s.held.begin()->second;
        s.held.erase(s.held.begin());
        ++s.prefix;
        if (s.prefixCounts.errors >= limits_.minErrors || s.prefix == s.maxChunks) {
            s.complete = true;
            s.held.clear();  // chunks past the end are not counted
            ++pointsDone_;
            return ResultOf(task.point);
        }
    }
    return std::nullopt;
}

ChunkCounts SweepPlan::CountsOf(std::size_t index) const {
    const PointState& s = states_.at(index);
    ChunkCounts counts = s.prefixCounts;
    if (!s.complete) {
        for (const auto& [chunk, held] : s.held)
            counts += held;
    }
    return counts;
}

PointResult SweepPlan::ResultOf(std::size_t index) const {
    PointResult result;
    result.index = index;
    result.point = points_[index];
    result.complete = states_.at(index).complete;
    result.counts = CountsOf(index);
    const ChunkCounts& c = result.counts;
    result.dBer = c.bits > 0 ? static_cast<double>(c.errors) / static_cast<double>(c.bits) : 0;
    result.interval = ClopperPearson(c.errors, c.bits);
    // Blocks of runs are independent whatever the line code does inside a run.
    result.blocks = BlockInterval(c.blocks.Blocks(), 0.95, result.point.dClusterBits);
    return result;
}

}  // namespace linelab
