#include "ui/BerCounts.h"

namespace linelab {

void BerCounts::AfterRun(const Frame& frame) {
    if (frame.berRestarted) Restart();
    AddRun(static_cast<uint64_t>(frame.runErrors), static_cast<uint64_t>(frame.runBits));
}

void BerCounts::Restart() {
    errors_ = 0;
    bits_ = 0;
    blocks_.clear();
    runsPerBlock_ = 1;
    runsInLast_ = 0;
}

void BerCounts::AddRun(uint64_t errors, uint64_t bits) {
    errors_ += errors;
    bits_ += bits;
    if (blocks_.empty() || runsInLast_ == runsPerBlock_) {
        if (blocks_.size() == kMaxBlocks) {
            // Every block is full here, so the merged ones are full at the doubled size.
            for (std::size_t i = 0; i < kMaxBlocks / 2; ++i) {
                blocks_[i].errors = blocks_[2 * i].errors + blocks_[2 * i + 1].errors;
                blocks_[i].bits = blocks_[2 * i].bits + blocks_[2 * i + 1].bits;
            }
            blocks_.resize(kMaxBlocks / 2);
            runsPerBlock_ *= 2;
        }
        blocks_.push_back({});
        runsInLast_ = 0;
    }
    blocks_.back().errors += errors;
    blocks_.back().bits += bits;
    ++runsInLast_;
}

}  // namespace linelab
