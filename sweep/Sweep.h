#pragma once
// A BER sweep: for each Eb/N0 point, chunks of runs at the point's noise level on a pool of
// worker threads until the point has its errors or its bits.
//
// Results do not depend on the number of threads: chunk c of point p always draws from the
// stream ChunkSeed(seed, p, c) on a fresh runner state, and a point's result is the sum of
// its chunks 0..K-1, K the first count at which the errors or the bits are reached. Workers
// may run chunks past K while K is still unknown; those are dropped (and stopped as soon as
// K is known). A worker moves on to the next point only when every chunk the current one may
// need has been handed out, so at most one chunk per worker is wasted at each point.
//
// Threads are joining threads (std::jthread where the library has it, common/JThread.h): the
// pool is one per sweep, started by Start and joined by Wait or the destructor, which is all
// a sweep needs; a task library would add a dependency for nothing. Callbacks run on the worker
// threads, one at a time; a window hands them on as queued signals.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <vector>
#include "common/JThread.h"

#include "sweep/ChunkRunner.h"
#include "sweep/SweepPlan.h"

namespace linelab {

// The most threads a sweep starts, whatever is asked: far beyond any desktop's cores.
inline constexpr int kMaxSweepThreads = 256;

struct SweepProgress {
    std::size_t point = 0;  // the point a chunk just finished for
    ChunkCounts counts;     // that point's finished chunks so far
    std::size_t pointsDone = 0;
    std::size_t points = 0;
};

struct SweepOutcome {
    bool cancelled = false;
    std::string error;  // what stopped the sweep when a runner failed; empty otherwise
};

struct SweepCallbacks {
    std::function<void(const SweepProgress&)> onProgress;
    std::function<void(const PointResult&)> onPoint;      // each point once, as it completes
    std::function<void(const SweepOutcome&)> onFinished;  // once, after the last worker
};

class Sweep {
  public:
    Sweep(ChunkRunnerFactory factory, std::vector<SweepPoint> points, SweepLimits limits,
          SweepCallbacks callbacks = {});
    ~Sweep();  // cancels and joins
    Sweep(const Sweep&) = delete;
    Sweep& operator=(const Sweep&) = delete;

    void Start();   // once; returns at once
    void Cancel();  // returns at once; every worker stops after its current run
    void Wait();    // until every worker has finished

    // Every point's result so far: complete points as final, the others with the counts of
    // their finished chunks. Safe from any thread.
    std::vector<PointResult> Results() const;
    SweepOutcome Outcome() const;
    int Threads() const { return threads_; }

  private:
    void Work(ChunkRunner& runner);
    std::optional<ChunkTask> NextTask();
    void Finish(const ChunkTask& task, const ChunkCounts& counts);
    void Fail(const std::string& error);
    void WorkerDone();

    SweepCallbacks callbacks_;
    int threads_ = 1;
    std::vector<std::unique_ptr<ChunkRunner>> runners_;

    mutable std::mutex mutex_;  // guards everything below but the atomics
    // The schedule; its points and limits never change, so a chunk's request is read
    // without the lock.
    SweepPlan plan_;
    int workersLeft_ = 0;
    SweepOutcome outcome_;
    std::unique_ptr<std::atomic<bool>[]> pointComplete_;
    StopSource stop_;           // one for every worker: Cancel and a failing worker share it
    std::mutex callbackMutex_;  // callbacks run one at a time
    std::vector<JThread> workers_;
    bool started_ = false;
};

}  // namespace linelab
