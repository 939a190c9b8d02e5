#include "sweep/Sweep.h"

#include <algorithm>
#include <exception>

namespace linelab {
namespace {

int ThreadCount(int wanted) {
    if (wanted <= 0) wanted = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(wanted, 1, kMaxSweepThreads);
}

uint64_t ChunksFor(uint64_t maxBits, uint64_t chunkBits) {
    return maxBits / chunkBits + (maxBits % chunkBits != 0 ? 1 : 0);
}

}  // namespace

Sweep::Sweep(ChunkRunnerFactory factory, std::vector<SweepPoint> points, SweepLimits limits,
             SweepCallbacks callbacks)
    : points_(std::move(points)),
      limits_(limits),
      callbacks_(std::move(callbacks)),
      threads_(ThreadCount(limits.threads)),
      states_(points_.size()),
      pointComplete_(std::make_unique<std::atomic<bool>[]>(points_.size())) {
    limits_.chunkBits = std::max<uint64_t>(limits_.chunkBits, 1);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        states_[i].maxChunks = ChunksFor(limits_.maxBits, limits_.chunkBits);
        // Nothing to run (no bits allowed) is complete from the start.
        states_[i].complete = states_[i].maxChunks == 0;
        pointComplete_[i] = states_[i].complete;
        if (states_[i].complete) ++pointsDone_;
    }
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

uint64_t Sweep::Budget(uint64_t chunk) const {
    const uint64_t used = chunk * limits_.chunkBits;
    return std::min(limits_.chunkBits, limits_.maxBits - used);
}

void Sweep::Work(ChunkRunner& runner) {
    const StopToken stop = stop_.get_token();
    Task task{};
    while (!stop.stop_requested() && NextTask(task)) {
        const SweepPoint& point = points_[task.point];
        const ChunkRequest request{
            point.dNoiseLevel, ChunkSeed(limits_.seed, task.point, task.chunk), Budget(task.chunk)};
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

bool Sweep::NextTask(Task& task) {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < states_.size(); ++i) {
        PointState& s = states_[i];
        if (s.complete || s.nextChunk >= s.maxChunks) continue;
        task = {i, s.nextChunk++};
        s.finished.resize(s.nextChunk);
        return true;
    }
    return false;
}

void Sweep::Finish(const Task& task, const ChunkCounts& counts) {
    std::optional<PointResult> completed;
    SweepProgress progress;
    {
        std::lock_guard lock(mutex_);
        PointState& s = states_[task.point];
        if (s.complete) return;  // a chunk past the end: its point no longer needs it
        s.finished[task.chunk] = counts;
        s.allCounts += counts;
        while (!s.complete && s.prefix < s.finished.size() && s.finished[s.prefix]) {
            s.prefixCounts += *s.finished[s.prefix];
            ++s.prefix;
            if (s.prefixCounts.errors >= limits_.minErrors || s.prefix == s.maxChunks) {
                s.complete = true;
                pointComplete_[task.point] = true;
                ++pointsDone_;
                completed = ResultOf(task.point);
            }
        }
        progress = {task.point, s.complete ? s.prefixCounts : s.allCounts, pointsDone_,
                    points_.size()};
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
        outcome_.cancelled = !outcome_.error.empty() || pointsDone_ < points_.size();
        outcome = outcome_;
    }
    std::lock_guard lock(callbackMutex_);
    try {
        if (callbacks_.onFinished) callbacks_.onFinished(outcome);
    } catch (...) {
        // The sweep is over whatever the callback thought of it; nothing is left to tell.
    }
}

PointResult Sweep::ResultOf(std::size_t index) const {
    const PointState& s = states_[index];
    PointResult result;
    result.index = index;
    result.point = points_[index];
    result.complete = s.complete;
    result.counts = s.complete ? s.prefixCounts : s.allCounts;
    const ChunkCounts& c = result.counts;
    result.dBer = c.bits > 0 ? static_cast<double>(c.errors) / static_cast<double>(c.bits) : 0;
    result.interval = ClopperPearson(c.errors, c.bits);
    // The chunks are the independent blocks: those summed into the counts above.
    std::vector<BlockCounts> blocks;
    for (std::size_t i = 0; i < s.finished.size() && (!s.complete || i < s.prefix); ++i) {
        if (s.finished[i]) blocks.push_back({s.finished[i]->errors, s.finished[i]->bits});
    }
    result.blocks = BlockInterval(blocks);
    return result;
}

std::vector<PointResult> Sweep::Results() const {
    std::lock_guard lock(mutex_);
    std::vector<PointResult> results;
    for (std::size_t i = 0; i < points_.size(); ++i)
        results.push_back(ResultOf(i));
    return results;
}

SweepOutcome Sweep::Outcome() const {
    std::lock_guard lock(mutex_);
    return outcome_;
}

}  // namespace linelab
