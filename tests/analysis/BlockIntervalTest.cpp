#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "analysis/BlockInterval.h"

namespace linelab {
namespace {

// Too few blocks or errors: the exact interval of the pooled counts, and said so.
TEST(BlockInterval, FallsBackToTheExactIntervalWhenTheBlocksSayTooLittle) {
    const std::vector<BlockCounts> few = {{5, 1000}, {7, 1000}, {0, 0}, {4, 1000}, {6, 1000}};
    const RateInterval r = BlockInterval(few);
    EXPECT_EQ(r.method, IntervalMethod::Exact);
    EXPECT_EQ(r.interval.dLow, ClopperPearson(22, 4000).dLow);
    const std::vector<BlockCounts> rare(8, {1, 1000});
    EXPECT_EQ(BlockInterval(rare).method, IntervalMethod::Exact);
    EXPECT_EQ(BlockInterval({}).interval.dHigh, 1.0);
    const std::vector<BlockCounts> overfull(6, {50, 10});  // errors beyond bits
    EXPECT_EQ(BlockInterval(overfull).interval.dHigh, 1.0);
}

// Errors in clusters of eight: the binomial interval misses the true rate far more often
// than 5 %, the block interval about as often as it promises.
TEST(BlockInterval, KeepsItsPromiseWhenErrorsCluster) {
    std::mt19937_64 gen(7);
    const double rate = 0.002;
    std::poisson_distribution<int> clusters(rate / 8 * 4000);
    int blockMisses = 0, exactMisses = 0;
    const int trials = 1000;
    for (int trial = 0; trial < trials; ++trial) {
        std::vector<BlockCounts> blocks;
        uint64_t errors = 0;
        for (int b = 0; b < 20; ++b) {
            blocks.push_back({8 * static_cast<uint64_t>(clusters(gen)), 4000});
            errors += blocks.back().errors;
        }
        const RateInterval r = BlockInterval(blocks);
        EXPECT_EQ(r.method, IntervalMethod::Blocks);
        blockMisses += rate < r.interval.dLow || rate > r.interval.dHigh;
        const BinomialInterval e = ClopperPearson(errors, 80000);
        exactMisses += rate < e.dLow || rate > e.dHigh;
    }
    EXPECT_LT(blockMisses, 0.07 * trials);
    EXPECT_GT(exactMisses, 0.25 * trials);
}

}  // namespace
}  // namespace linelab
