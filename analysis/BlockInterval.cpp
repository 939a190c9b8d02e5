#include "analysis/BlockInterval.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <vector>

namespace linelab {

RateInterval BlockInterval(std::span<const BlockCounts> blocks, double confidence,
                           double clusterBits) {
    if (!(confidence > 0 && confidence < 1)) confidence = 0.95;
    std::vector<BlockCounts> used;
    uint64_t errors = 0;
    uint64_t bits = 0;
    for (BlockCounts b : blocks) {
        if (b.bits == 0) continue;
        b.errors = std::min(b.errors, b.bits);
        used.push_back(b);
        errors += b.errors;
        bits += b.bits;
    }
    RateInterval result{ClopperPearsonClustered(errors, bits, clusterBits, confidence),
                        IntervalMethod::Exact};
    if (used.size() < kMinBlocks || errors < kMinBlockErrors) return result;
    const double count = static_cast<double>(used.size());
    const double rate = static_cast<double>(errors) / static_cast<double>(bits);
    const double meanBits = static_cast<double>(bits) / count;
    double squares = 0;
    for (const BlockCounts& b : used) {
        const double residual = static_cast<double>(b.errors) - rate * static_cast<double>(b.bits);
        squares += residual * residual;
    }
    const double se = std::sqrt(squares / (count * (count - 1))) / meanBits;
    const boost::math::students_t t(count - 1);
    const double half = boost::math::quantile(t, 1 - (1 - confidence) / 2) * se;
    result.interval.dLow = std::clamp(std::min(rate - half, result.interval.dLow), 0.0, 1.0);
    result.interval.dHigh = std::clamp(std::max(rate + half, result.interval.dHigh), 0.0, 1.0);
    result.method = IntervalMethod::Blocks;
    return result;
}

void BlockSeries::AddRun(uint64_t errors, uint64_t bits) {
    if (blocks_.empty() || blocks_.back().runs >= runsPerBlock_) {
        blocks_.push_back({});
        Bound();
    }
    BlockCounts& last = blocks_.back();
    last.errors += errors;
    last.bits += bits;
    ++last.runs;
}

void BlockSeries::Append(const BlockSeries& later) {
    blocks_.insert(blocks_.end(), later.blocks_.begin(), later.blocks_.end());
    runsPerBlock_ = std::max(runsPerBlock_, later.runsPerBlock_);
    Bound();
}

void BlockSeries::Append(const BlockCounts& block) {
    blocks_.push_back(block);
    Bound();
}

void BlockSeries::Bound() {
    while (blocks_.size() > kMaxSeriesBlocks) {
        const std::size_t pairs = blocks_.size() / 2;
        for (std::size_t i = 0; i < pairs; ++i) {
            const BlockCounts& a = blocks_[2 * i];
            const BlockCounts& b = blocks_[2 * i + 1];
            blocks_[i] = {a.errors + b.errors, a.bits + b.bits, a.runs + b.runs};
        }
        if (blocks_.size() % 2 != 0) blocks_[pairs] = blocks_.back();
        blocks_.resize(blocks_.size() - pairs);
        runsPerBlock_ *= 2;
    }
}

std::string_view MethodName(IntervalMethod method) {
    return method == IntervalMethod::Blocks ? "blocks" : "exact";
}

}  // namespace linelab
