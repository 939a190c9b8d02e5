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
    EXPECT_EQ(plan.ResultOf(0).counts, some);
}

}  // namespace
}  // namespace linelab
