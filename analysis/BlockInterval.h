#pragma once
// An interval for an error rate that holds when errors come in clusters.
//
// Line decoders turn one wrong decision into several wrong data bits (a 4B5B group, an NRZI
// or differential pair, HDB3's cleared bit three slots back), so the errors are not
// independent and the binomial interval, which assumes they are, is too narrow: at 6 dB it
// held the true rate only 71 % to 89 % of the time for those codes. Independent blocks of
// runs (a sweep's chunks, a window's runs taken in blocks) are independent whatever the code
// does inside them, so the spread of the blocks' own rates says how far the pooled rate may
// be off.
//
// Which interval is used when:
//   - "blocks": at least kMinBlocks blocks with bits and kMinBlockErrors errors in all. The
//     pooled rate R = sum e_i / sum n_i is a ratio estimator; its standard error is
//         se = sqrt(sum (e_i - R n_i)^2 / (B (B - 1))) / mean(n_i),
//     and the interval R -/+ t se uses Student's t with B - 1 degrees of freedom. It is
//     widened to contain the exact binomial interval: clustering can only widen the spread,
//     and with few errors a symmetric interval would reach too little above R.
//     With clusters of known mean size c (the wrong bits one wrong decision costs, which the
//     exact model of the line code gives) it is widened to contain the clustered exact
//     interval as well.
//   - "exact": otherwise, the exact (Clopper-Pearson) interval of the pooled counts, taken
//     over k / c clusters in n / c trials; with so few blocks or errors their spread says
//     too little.
//
// BlockSeries keeps a long measurement's blocks bounded: blocks of whole runs, at most
// kMaxSeriesBlocks of them; when there would be more, neighbours merge pairwise, and new runs
// fill blocks of the merged size from then on. A window's run count and a sweep's point,
// however long, keep at most that many blocks and never fewer than half of them once so many
// runs are in.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/BinomialInterval.h"

namespace linelab {

inline constexpr std::size_t kMinBlocks = 5;
inline constexpr uint64_t kMinBlockErrors = 10;

struct BlockCounts {
    uint64_t errors = 0;
    uint64_t bits = 0;
    // The runs the block sums: BlockSeries keeps it, the interval does not read it.
    uint64_t runs = 0;
    friend bool operator==(const BlockCounts&, const BlockCounts&) = default;
};

enum class IntervalMethod { Exact, Blocks };

struct RateInterval {
    BinomialInterval interval;
    IntervalMethod method = IntervalMethod::Exact;
};

// The two-sided interval at the given confidence (outside (0, 1) taken as 0.95). Blocks
// without bits are skipped; errors beyond a block's bits are taken as its bits.
// clusterBits is the mean number of wrong bits per cluster (1: independent errors).
RateInterval BlockInterval(std::span<const BlockCounts> blocks, double confidence = 0.95,
                           double clusterBits = 1);

inline constexpr std::size_t kMaxSeriesBlocks = 64;

class BlockSeries {
  public:
    // One run: into the last block while it holds fewer runs than the current block size.
    void AddRun(uint64_t errors, uint64_t bits);
    // A later measurement's blocks after these, in their order; or one block of its own.
    void Append(const BlockSeries& later);
    void Append(const BlockCounts& block);
    // The blocks, oldest first.
    std::span<const BlockCounts> Blocks() const { return blocks_; }
    uint64_t RunsPerBlock() const { return runsPerBlock_; }
    friend bool operator==(const BlockSeries&, const BlockSeries&) = default;

  private:
    void Bound();

    std::vector<BlockCounts> blocks_;
    uint64_t runsPerBlock_ = 1;
};

// "blocks" or "exact", as the CSV and the readouts write it.
std::string_view MethodName(IntervalMethod method);

}  // namespace linelab
