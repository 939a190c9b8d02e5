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
        const ChunkTask task{i, s.nextChunk++};
        s.finished.resize(s.nextChunk);
        return task;
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
    // A chunk past the end (its point no longer needs it) or one never handed out.
    if (s.complete || task.chunk >= s.finished.size() || s.finished[task.chunk]) return {};
    s.finished[task.chunk] = counts;
    s.allCounts += counts;
    while (!s.complete && s.prefix < s.finished.size() && s.finished[s.prefix]) {
        s.prefixCounts += *s.finished[s.prefix];
        ++s.prefix;
        if (s.prefixCounts.errors >= limits_.minErrors || s.prefix == s.maxChunks) {
            s.complete = true;
            ++pointsDone_;
            return ResultOf(task.point);
        }
    }
    return std::nullopt;
}

ChunkCounts SweepPlan::CountsOf(std::size_t index) const {
    const PointState& s = states_.at(index);
    return s.complete ? s.prefixCounts : s.allCounts;
}

PointResult SweepPlan::ResultOf(std::size_t index) const {
    const PointState& s = states_.at(index);
    PointResult result;
    result.index = index;
    result.point = points_[index];
    result.complete = s.complete;
    result.counts = CountsOf(index);
    const ChunkCounts& c = result.counts;
    result.dBer = c.bits > 0 ? static_cast<double>(c.errors) / static_cast<double>(c.bits) : 0;
    result.interval = ClopperPearson(c.errors, c.bits);
    // The chunks are the independent blocks: those summed into the counts above.
    std::vector<BlockCounts> blocks;
    for (std::size_t i = 0; i < s.finished.size() && (!s.complete || i < s.prefix); ++i) {
        if (s.finished[i]) blocks.push_back({s.finished[i]->errors, s.finished[i]->bits});
    }
    result.blocks = BlockInterval(blocks);
    return result;
}

}  // namespace linelab
