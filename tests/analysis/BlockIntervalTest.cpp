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

// Errors in clusters of eight, too few of them for blocks: the
// plain exact interval misses far more often than 5 %, the exact interval over clusters of
// eight keeps its promise.
TEST(BlockInterval, WidensTheExactIntervalForKnownClusters) {
    std::mt19937_64 gen(11);
    const double rate = 0.0004;
    std::poisson_distribution<int> clusters(rate / 8 * 4000);
    int clusteredMisses = 0, plainMisses = 0;
    const int trials = 2000;
    for (int trial = 0; trial < trials; ++trial) {
        // One block: the exact interval whatever the count.
        const std::vector<BlockCounts> blocks = {{8 * static_cast<uint64_t>(clusters(gen)), 4000}};
        const RateInterval clustered = BlockInterval(blocks, 0.95, 8);
        const RateInterval plain = BlockInterval(blocks);
        EXPECT_EQ(clustered.method, IntervalMethod::Exact);
        clusteredMisses += rate < clustered.interval.dLow || rate > clustered.interval.dHigh;
        plainMisses += rate < plain.interval.dLow || rate > plain.interval.dHigh;
    }
    EXPECT_LT(clusteredMisses, 0.05 * trials);
    EXPECT_GT(plainMisses, 0.10 * trials);
}

// k errors in clusters of c over n bits is k / c events in n / c trials; a cluster of one
// (or less, or no number) is the plain interval.
TEST(ClopperPearsonClustered, IsTheExactIntervalOfTheClusters) {
    for (const uint64_t events : {0u, 1u, 5u, 40u}) {
        const BinomialInterval events8 = ClopperPearsonClustered(8 * events, 8 * 1000, 8);
        const BinomialInterval plain = ClopperPearson(events, 1000);
        EXPECT_NEAR(events8.dLow, plain.dLow, 1e-12) << events;
        EXPECT_NEAR(events8.dHigh, plain.dHigh, 1e-12) << events;
    }
    for (const double none : {1.0, 0.5, std::nan("")}) {
        EXPECT_EQ(ClopperPearsonClustered(7, 900, none).dHigh, ClopperPearson(7, 900).dHigh);
    }
    // Clusters as large as everything compared: wider than the plain interval, still a rate.
    EXPECT_GT(ClopperPearsonClustered(3, 10, 1e9).dHigh, ClopperPearson(3, 10).dHigh);
    EXPECT_LE(ClopperPearsonClustered(3, 10, 1e9).dHigh, 1.0);
}

// However many runs, a series keeps between half its bound and its bound of blocks, every
// block but the last holding the same number of runs, and loses no count.
TEST(BlockSeries, StaysBoundedAndKeepsEveryCount) {
    for (const uint64_t runs : {1u, 63u, 64u, 65u, 1000u, 100000u}) {
        BlockSeries series;
        uint64_t added = 0;
        for (uint64_t r = 0; r < runs; ++r) {
            series.AddRun(r % 3, 100);
            added += r % 3;
        }
        const auto blocks = series.Blocks();
        uint64_t errors = 0, bits = 0, counted = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            errors += blocks[i].errors;
            bits += blocks[i].bits;
            counted += blocks[i].runs;
            if (i + 1 < blocks.size()) {
                EXPECT_EQ(blocks[i].runs, series.RunsPerBlock()) << runs;
            }
        }
        EXPECT_LE(blocks.size(), kMaxSeriesBlocks) << runs;
        EXPECT_GE(blocks.size(), std::min<uint64_t>(runs, kMaxSeriesBlocks / 2)) << runs;
        EXPECT_EQ(counted, runs);
        EXPECT_EQ(bits, 100 * runs);
        EXPECT_EQ(errors, added);
    }
}

// Series appended one after another (a sweep point's chunks) keep their order and counts
// within the same bound: the earlier series' errors stay in the earlier blocks.
TEST(BlockSeries, AppendsLaterSeriesInOrder) {
    BlockSeries early, late, point;
    for (int r = 0; r < 300; ++r) {
        early.AddRun(1, 100);
        late.AddRun(0, 100);
    }
    point.Append(early);
    point.Append(late);
    point.Append(BlockCounts{0, 500, 5});
    const auto blocks = point.Blocks();
    ASSERT_LE(blocks.size(), kMaxSeriesBlocks);
    uint64_t runs = 0;
    for (const BlockCounts& b : blocks) {
        if (runs + b.runs <= 300) {
            EXPECT_EQ(b.errors, b.runs) << runs;
        }
        if (runs >= 300) {
            EXPECT_EQ(b.errors, 0u) << runs;
        }
        runs += b.runs;
    }
    EXPECT_EQ(runs, 605u);
}

}  // namespace
}  // namespace linelab
