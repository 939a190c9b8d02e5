#include <gtest/gtest.h>
#include <algorithm>
#include <random>

#include "sweep/Sweep.h"
#include "sweep/SweepPlan.h"

namespace linelab {
namespace {

// Counts that depend on the request alone, as a real runner's do.
class StandIn final : public ChunkRunner {
  public:
    std::optional<ChunkCounts> Run(const ChunkRequest& r, const StopRequested&) override {
        return Counts(r);
    }
    static ChunkCounts Counts(const ChunkRequest& r) {
        return {r.seed % 5 + static_cast<uint64_t>(r.dNoiseLevel), r.bitsBudget, 3, 1};
    }
};

// The plan worked through by `workers` workers that each hold one chunk and finish them in
// a shuffled order, as the page's workers may.
std::vector<PointResult> Planned(const std::vector<SweepPoint>& points, SweepLimits limits,
                                 int workers, unsigned shuffle) {
    SweepPlan plan(points, limits);
    std::mt19937 random(shuffle);
    std::vector<ChunkTask> running;
    for (;;) {
        while (static_cast<int>(running.size()) < workers) {
            const auto task = plan.Next();
            if (!task) break;
            running.push_back(*task);
        }
        if (running.empty()) break;
        const std::size_t i = random() % running.size();
        const ChunkTask task = running[i];
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        plan.Finish(task, StandIn::Counts(plan.RequestOf(task)));
    }
    EXPECT_TRUE(plan.Done());
    std::vector<PointResult> results;
    for (std::size_t p = 0; p < plan.Points(); ++p)
        results.push_back(plan.ResultOf(p));
    return results;
}

TEST(SweepPlan, GivesTheThreadedSweepsResultsInAnyOrder) {
    const std::vector<SweepPoint> points{{0, 0}, {3, 2}, {6, 9}};
    struct Case {
        uint64_t minErrors, maxBits, chunkBits;
    };
    for (const Case c :
         {Case{10, 100000, 1000}, Case{1, 5000, 1000}, Case{1000, 7500, 1000}, Case{40, 1, 1000}}) {
        SweepLimits limits;
        limits.minErrors = c.minErrors;
        limits.maxBits = c.maxBits;
        limits.chunkBits = c.chunkBits;
        limits.seed = 11;
        limits.threads = 3;
        Sweep sweep([] { return std::make_unique<StandIn>(); }, points, limits);
        sweep.Start();
        sweep.Wait();
        const std::vector<PointResult> expected = sweep.Results();
        for (const int workers : {1, 4})
            for (const unsigned shuffle : {1u, 2u, 3u}) {
                const auto got = Planned(points, limits, workers, shuffle);
                for (std::size_t p = 0; p < points.size(); ++p) {
                    EXPECT_EQ(got[p].counts, expected[p].counts) << c.minErrors << " " << p;
                    EXPECT_EQ(got[p].complete, expected[p].complete);
                    EXPECT_EQ(got[p].blocks.interval.dHigh, expected[p].blocks.interval.dHigh);
                }
            }
    }
}

TEST(SweepPlan, IgnoresChunksItNeverHandedOutOrNoLongerNeeds) {
    SweepLimits limits;
    limits.minErrors = 1;
    limits.chunkBits = 10;
    limits.maxBits = 100;
    SweepPlan plan({{0, 0}}, limits);
    const ChunkCounts some{1, 10, 1, 0};
    EXPECT_FALSE(plan.Finish({0, 5}, some));  // never handed out
    EXPECT_FALSE(plan.Finish({7, 0}, some));  // no such point
    const auto first = plan.Next();
    const auto second = plan.Next();
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(plan.Finish(*first, some));    // completes the point
    EXPECT_FALSE(plan.Finish(*second, some));  // past its end
    EXPECT_FALSE(plan.Finish(*first, some));   // twice
    ChunkCounts once;
    once += some;
    EXPECT_EQ(plan.ResultOf(0).counts, once);
}

// A long point (200,000 chunks, eight at a time finished in a scrambled order): the plan
// holds no more chunk records than are in flight and the point no more than its bound of
// blocks, so its memory does not grow with its length; its counts are still every chunk's.
TEST(SweepPlan, KeepsALongPointsMemoryBounded) {
    SweepLimits limits;
    limits.minErrors = UINT64_MAX;
    limits.maxBits = UINT64_MAX;
    limits.chunkBits = 1000;
    SweepPlan plan({{0, 1}}, limits);
    std::mt19937 random(5);
    std::size_t mostHeld = 0;
    uint64_t errors = 0;
    constexpr int kChunks = 200000;
    for (int done = 0; done < kChunks; done += 8) {
        std::vector<ChunkTask> window;
        for (int i = 0; i < 8; ++i)
            window.push_back(*plan.Next());
        std::shuffle(window.begin(), window.end(), random);
        for (const ChunkTask& task : window) {
            const ChunkCounts counts = StandIn::Counts(plan.RequestOf(task));
            errors += counts.errors;
            plan.Finish(task, counts);
            mostHeld = std::max(mostHeld, plan.HeldChunks(0));
        }
    }
    EXPECT_LT(mostHeld, 8u);
    EXPECT_EQ(plan.HeldChunks(0), 0u);
    const PointResult r = plan.ResultOf(0);
    EXPECT_EQ(r.counts.errors, errors);
    EXPECT_EQ(r.counts.bits, 1000u * kChunks);
    EXPECT_EQ(r.counts.runs, 3u * kChunks);
    EXPECT_LE(r.counts.blocks.Blocks().size(), kMaxSeriesBlocks);
    EXPECT_GE(r.counts.blocks.Blocks().size(), kMaxSeriesBlocks / 2);
    EXPECT_EQ(r.blocks.method, IntervalMethod::Blocks);
}

// A point of a single chunk still has blocks: the chunk's runs, each its own.
TEST(SweepPlan, BlocksAPointOfOneChunkByItsRuns) {
    SweepLimits limits;
    limits.minErrors = UINT64_MAX;
    limits.maxBits = 4000;
    SweepPlan plan({{6, 1}}, limits);
    const ChunkTask task = *plan.Next();
    ChunkCounts chunk;
    for (int run = 0; run < 40; ++run)
        chunk += {static_cast<uint64_t>(run % 4), 100, 1, 1};
    ASSERT_TRUE(plan.Finish(task, chunk));
    const PointResult r = plan.ResultOf(0);
    EXPECT_EQ(r.counts.blocks.Blocks().size(), 40u);
    EXPECT_EQ(r.blocks.method, IntervalMethod::Blocks);
}

}  // namespace
}  // namespace linelab
