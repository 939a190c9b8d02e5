#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "common/Uniform.h"
#include "sweep/Sweep.h"

namespace linelab {
namespace {

constexpr uint64_t kBitsPerRun = 100;

// A stand-in for the engines: each bit is wrong with probability dNoiseLevel, drawn from
// the chunk's seed, so a chunk's counts depend on its request alone.
class FakeRunner : public ChunkRunner {
  public:
    explicit FakeRunner(std::chrono::microseconds runTime = {}) : runTime_(runTime) {}

    std::optional<ChunkCounts> Run(const ChunkRequest& request,
                                   const StopRequested& stop) override {
        Uniform rng(request.seed);
        ChunkCounts counts;
        while (counts.bits < request.bitsBudget) {
            if (stop()) return std::nullopt;
            if (runTime_.count() > 0) std::this_thread::sleep_for(runTime_);
            for (uint64_t b = 0; b < kBitsPerRun; ++b)
                counts.errors += rng.Next() < request.dNoiseLevel ? 1 : 0;
            counts.bits += kBitsPerRun;
            ++counts.runs;
        }
        return counts;
    }

  private:
    std::chrono::microseconds runTime_;
};

ChunkRunnerFactory Fakes(std::chrono::microseconds runTime = {}) {
    return [=] { return std::make_unique<FakeRunner>(runTime); };
}

std::vector<SweepPoint> Points(std::initializer_list<double> rates) {
    std::vector<SweepPoint> points;
    for (double p : rates)
        points.push_back({static_cast<double>(points.size()), p});
    return points;
}

std::vector<PointResult> RunToEnd(int threads, const std::vector<SweepPoint>& points,
                                  SweepLimits limits) {
    limits.threads = threads;
    Sweep sweep(Fakes(), points, limits);
    sweep.Start();
    sweep.Wait();
    EXPECT_FALSE(sweep.Outcome().cancelled);
    return sweep.Results();
}

// The same seed gives the same counts on 1, 2 or 5 threads, though more threads run chunks
// past the end that must be dropped; another seed gives other counts.
TEST(Sweep, ResultsDoNotDependOnTheNumberOfThreads) {
    const auto points = Points({0.2, 0.01, 0.001, 0.0});
    SweepLimits limits{.minErrors = 100, .maxBits = 200000, .seed = 7, .chunkBits = 2000};
    const auto one = RunToEnd(1, points, limits);
    for (int threads : {2, 5}) {
        const auto many = RunToEnd(threads, points, limits);
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_EQ(many[i].counts, one[i].counts) << threads << " threads, point " << i;
    }
    limits.seed = 8;
    EXPECT_NE(RunToEnd(2, points, limits)[1].counts, one[1].counts);
}

// A point stops at the first chunk that brings its errors to the minimum, or at its bits.
TEST(Sweep, EachPointStopsAtItsErrorsOrItsBits) {
    const auto points = Points({0.01, 0.0});
    const SweepLimits limits{.minErrors = 100, .maxBits = 50000, .seed = 3, .chunkBits = 1000};
    const auto results = RunToEnd(2, points, limits);
    const PointResult& noisy = results[0];
    EXPECT_TRUE(noisy.complete);
    EXPECT_GE(noisy.counts.errors, 100u);
    EXPECT_LT(noisy.counts.errors - 100, 40u);  // one chunk of 1000 bits holds ~10 errors
    EXPECT_EQ(noisy.counts.bits % 1000, 0u);
    EXPECT_DOUBLE_EQ(noisy.dBer, static_cast<double>(noisy.counts.errors) / noisy.counts.bits);
    EXPECT_LT(noisy.interval.dLow, noisy.dBer);
    EXPECT_GT(noisy.interval.dHigh, noisy.dBer);
    const PointResult& clean = results[1];
    EXPECT_TRUE(clean.complete);
    EXPECT_EQ(clean.counts.errors, 0u);
    EXPECT_EQ(clean.counts.bits, 50000u);
}

TEST(Sweep, ReportsProgressEveryPointOnceAndTheEnd) {
    std::mutex m;
    std::vector<std::size_t> finishedPoints;
    int progress = 0, finished = 0;
    SweepCallbacks callbacks{[&](const SweepProgress& p) {
                                 std::lock_guard lock(m);
                                 ++progress;
                                 EXPECT_EQ(p.points, 3u);
                             },
                             [&](const PointResult& r) {
                                 std::lock_guard lock(m);
                                 finishedPoints.push_back(r.index);
                             },
                             [&](const SweepOutcome& o) {
                                 std::lock_guard lock(m);
                                 ++finished;
                                 EXPECT_FALSE(o.cancelled);
                             }};
    Sweep sweep(Fakes(), Points({0.1, 0.05, 0.02}),
                {.minErrors = 50, .maxBits = 100000, .seed = 1, .chunkBits = 500, .threads = 2},
                callbacks);
    sweep.Start();
    sweep.Wait();
    std::sort(finishedPoints.begin(), finishedPoints.end());
    EXPECT_EQ(finishedPoints, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(finished, 1);
    EXPECT_GE(progress, 3);
}

// Cancelling stops every worker at its next run, keeps the finished chunks' counts and
// says the sweep was cancelled; a hundred sweeps in a row started and cancelled neither
// hang nor leak (the sanitizer builds watch the latter).
TEST(Sweep, CancelStopsWorkersAtTheirNextRunAndKeepsFinishedChunks) {
    std::atomic<int> chunksDone{0};
    SweepCallbacks callbacks{[&](const SweepProgress&) { ++chunksDone; }, {}, {}};
    Sweep sweep(Fakes(std::chrono::microseconds(200)), Points({0.0}),
                {.minErrors = 1, .maxBits = 1ULL << 40, .seed = 1, .chunkBits = 1000, .threads = 2},
                callbacks);
    sweep.Start();
    while (chunksDone < 3)
        std::this_thread::yield();
    sweep.Cancel();
    sweep.Wait();
    EXPECT_TRUE(sweep.Outcome().cancelled);
    const PointResult r = sweep.Results()[0];
    EXPECT_FALSE(r.complete);
    EXPECT_GE(r.counts.bits, 3000u);
    EXPECT_EQ(r.counts.bits % 1000, 0u);  // whole chunks only
    EXPECT_EQ(r.counts.bits / 1000, static_cast<uint64_t>(chunksDone.load()));
}

TEST(Sweep, RestartsAHundredTimesWithoutHanging) {
    for (int i = 0; i < 100; ++i) {
        std::atomic<bool> ended{false};
        SweepCallbacks callbacks{{}, {}, [&](const SweepOutcome&) { ended = true; }};
        Sweep sweep(
            Fakes(std::chrono::microseconds(50)), Points({0.0, 0.0}),
            {.minErrors = 1, .maxBits = 1ULL << 40, .seed = 1, .chunkBits = 500, .threads = 2},
            callbacks);
        sweep.Start();
        if (i % 2) std::this_thread::sleep_for(std::chrono::microseconds(300));
        sweep.Cancel();
        sweep.Wait();
        EXPECT_TRUE(ended);
    }
}

class ThrowingRunner : public ChunkRunner {
  public:
    std::optional<ChunkCounts> Run(const ChunkRequest&, const StopRequested&) override {
        throw std::runtime_error("engine refused");
    }
};

TEST(Sweep, AFailingRunnerEndsTheSweepAsFailedNotAsDone) {
    Sweep sweep([] { return std::make_unique<ThrowingRunner>(); }, Points({0.1}), {.threads = 2});
    sweep.Start();
    sweep.Wait();
    EXPECT_TRUE(sweep.Outcome().cancelled);
    EXPECT_EQ(sweep.Outcome().error, "engine refused");
    EXPECT_FALSE(sweep.Results()[0].complete);
}

// Every (seed, point, chunk) of a grid gets its own stream; seeds one golden-ratio step
// apart would give the generator overlapping states, so those are ruled out as well.
TEST(Sweep, ChunkSeedsDifferOverAGrid) {
    EXPECT_NE(ChunkSeed(1, 0, 0), ChunkSeed(0, 1, 0));
    std::set<uint64_t> seeds;
    std::set<uint64_t> steps;
    for (uint64_t seed = 0; seed < 16; ++seed)
        for (uint64_t point = 0; point < 16; ++point)
            for (uint64_t chunk = 0; chunk < 64; ++chunk) {
                const uint64_t s = ChunkSeed(seed, point, chunk);
                seeds.insert(s);
                for (uint64_t k = 0; k < 4; ++k)
                    steps.insert(s + k * 0x9e3779b97f4a7c15ULL);
            }
    EXPECT_EQ(seeds.size(), 16u * 16u * 64u);
    EXPECT_EQ(steps.size(), 4u * seeds.size());
    EXPECT_EQ(ChunkSeed(5, 3, 9), ChunkSeed(5, 3, 9));
}

// A callback that throws ends the sweep as failed with its message; the program goes on
// and the finish is still reported once.
TEST(Sweep, AThrowingCallbackFailsTheSweep) {
    std::atomic<int> finished = 0;
    SweepCallbacks callbacks;
    callbacks.onProgress = [](const SweepProgress&) { throw std::runtime_error("view gone"); };
    callbacks.onFinished = [&](const SweepOutcome&) { ++finished; };
    Sweep sweep(Fakes(), Points({0.1, 0.1}), {.chunkBits = 1000, .threads = 2}, callbacks);
    sweep.Start();
    sweep.Wait();
    EXPECT_EQ(sweep.Outcome().error, "view gone");
    EXPECT_TRUE(sweep.Outcome().cancelled);
    EXPECT_EQ(finished, 1);
}

}  // namespace
}  // namespace linelab
