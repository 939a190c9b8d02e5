#include "sweep/Sweep.h"

#include <algorithm>
#include <exception>

namespace linelab {
namespace {

int ThreadCount(int wanted) {
    if (wanted <= 0) wanted = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(wanted, 1, kMaxSweepThreads);
}

}  // namespace

Sweep::Sweep(ChunkRunnerFactory factory, std::vector<SweepPoint> points, SweepLimits limits,
             SweepCallbacks callbacks)
    : callbacks_(std::move(callbacks)),
      threads_(ThreadCount(limits.threads)),
      plan_(std::move(points), limits),
      pointComplete_(std::make_unique<std::atomic<bool>[]>(plan_.Points())) {
    // Nothing to run (no bits allowed) is complete from the start.
    for (std::size_t i = 0; i < plan_.Points(); ++i)
        pointComplete_[i] = plan_.PointComplete(i);
    for (int i = 0; i < threads_; ++i)
        runners_.push_back(factory());
}

Sweep::~Sweep() {
    Cancel();
    Wait();
}

void Sweep::Start() {
    if (started_) return;
    started_ = true;
    // Start holds one count of its own until every thread it could create exists: a worker
    // that ends at once cannot report the sweep finished while others are still being made,
    // and a thread that cannot be created is never counted, so the sweep still finishes.
    {
        std::lock_guard lock(mutex_);
        workersLeft_ = 1;
    }
    for (int i = 0; i < threads_; ++i) {
        ChunkRunner* runner = runners_[static_cast<std::size_t>(i)].get();
        {
            std::lock_guard lock(mutex_);
            ++workersLeft_;
        }
        try {
            workers_.emplace_back([this, runner] { Work(*runner); });
        } catch (const std::exception& e) {
            {
                std::lock_guard lock(mutex_);
                --workersLeft_;
            }
            Fail(std::string("a worker thread could not be started: ") + e.what());
            break;
        }
    }
    WorkerDone();
}

void Sweep::Cancel() {
    stop_.request_stop();
}

void Sweep::Wait() {
    for (JThread& worker : workers_)
        if (worker.joinable()) worker.join();
}

void Sweep::Work(ChunkRunner& runner) {
    const StopToken stop = stop_.get_token();
    while (!stop.stop_requested()) {
        const std::optional<ChunkTask> next = NextTask();
        if (!next) break;
        const ChunkTask task = *next;
        const ChunkRequest request = plan_.RequestOf(task);
        const std::atomic<bool>& pointComplete = pointComplete_[task.point];
        const StopRequested halt = [&] {
            return stop.stop_requested() || pointComplete.load(std::memory_order_relaxed);
        };
        // The callbacks run inside the try as well: one that throws ends the sweep with its
        // message instead of the program.
        try {
            const std::optional<ChunkCounts> counts = runner.Run(request, halt);
            if (counts) Finish(task, *counts);
        } catch (const std::exception& e) {
            Fail(e.what());
            break;
        } catch (...) {
            Fail("a chunk failed");
            break;
        }
    }
    WorkerDone();
}

std::optional<ChunkTask> Sweep::NextTask() {
    std::lock_guard lock(mutex_);
    return plan_.Next();
}

void Sweep::Finish(const ChunkTask& task, const ChunkCounts& counts) {
    std::optional<PointResult> completed;
    SweepProgress progress;
    {
        std::lock_guard lock(mutex_);
        // A chunk past the end is dropped: its point no longer needs it.
        if (plan_.PointComplete(task.point)) return;
        completed = plan_.Finish(task, counts);
        if (completed) pointComplete_[task.point] = true;
        progress = {task.point, plan_.CountsOf(task.point), plan_.PointsDone(), plan_.Points()};
    }
    std::lock_guard lock(callbackMutex_);
    if (callbacks_.onProgress) callbacks_.onProgress(progress);
    if (completed && callbacks_.onPoint) callbacks_.onPoint(*completed);
}

void Sweep::Fail(const std::string& error) {
    {
        std::lock_guard lock(mutex_);
        if (outcome_.error.empty()) outcome_.error = error.empty() ? "a chunk failed" : error;
    }
    stop_.request_stop();
}

void Sweep::WorkerDone() {
    SweepOutcome outcome;
    {
        std::lock_guard lock(mutex_);
        if (--workersLeft_ > 0) return;
        outcome_.cancelled = !outcome_.error.empty() || !plan_.Done();
        outcome = outcome_;
    }
    std::lock_guard lock(callbackMutex_);
    try {
        if (callbacks_.onFinished) callbacks_.onFinished(outcome);
    } catch (...) {
        // The sweep is over whatever the callback thought of it; nothing is left to tell.
    }
}

std::vector<PointResult> Sweep::Results() const {
    std::lock_guard lock(mutex_);
    std::vector<PointResult> results;
    for (std::size_t i = 0; i < plan_.Points(); ++i)
        results.push_back(plan_.ResultOf(i));
    return results;
}

SweepOutcome Sweep::Outcome() const {
    std::lock_guard lock(mutex_);
    return outcome_;
}

}  // namespace linelab
