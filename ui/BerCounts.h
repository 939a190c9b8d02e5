#pragma once
// The count behind the running bit error rate: data bits received wrongly and data bits
// compared since the rate last restarted, in 64 bits (a fast run passes 2^32 bits in hours),
// and the same counts in blocks of whole runs for an interval that holds when errors cluster.
//
// Runs are independent (each draws its own data and noise), but a line decoder turns one
// wrong decision into several wrong bits within a run, so the binomial interval of the
// totals is too narrow; the spread between blocks of runs is not fooled (see BlockInterval).
// A block starts as one run; when kMaxBlocks are full, neighbours merge pairwise and blocks
// hold twice as many runs from then on, so memory stays bounded however long a fast run
// lasts, and there are always at least kMaxBlocks / 2 blocks once that many runs are in.

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/BlockInterval.h"
#include "ports/Frame.h"

namespace linelab {

class BerCounts {
  public:
    static constexpr std::size_t kMaxBlocks = 64;

    BerCounts() { blocks_.reserve(kMaxBlocks); }

    // After each tick: the run's compared bits, exactly those the rate is taken over; when
    // the rate restarted with this run (the frame says so), the counts restart with it.
    void AfterRun(const Frame& frame);

    // One run's counts, and a restart: what AfterTick does with a run.
    void AddRun(uint64_t errors, uint64_t bits);
    void Restart();

    uint64_t Errors() const { return errors_; }
    uint64_t Bits() const { return bits_; }
    // Oldest first; every block but the last holds RunsPerBlock() runs.
    std::span<const BlockCounts> Blocks() const { return blocks_; }
    uint64_t RunsPerBlock() const { return runsPerBlock_; }
    // The 95 % interval of the rate from the blocks, or the exact one while they say too
    // little (the method says which).
    RateInterval Interval() const { return BlockInterval(blocks_); }

  private:
    uint64_t errors_ = 0;
    uint64_t bits_ = 0;
    std::vector<BlockCounts> blocks_;
    uint64_t runsPerBlock_ = 1;
    uint64_t runsInLast_ = 0;
};

}  // namespace linelab
