#include "tools/batch/RunSweep.h"

#include <mutex>

#include "receiver/Noise.h"
#include "sweep/EngineChunkRunner.h"
#include "sweep/Sweep.h"
#include "sweep/SweepCsv.h"
#include "sweep/SweepSetup.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

// Prints the finished points in order: a point done out of turn waits for those before it.
class OrderedPrinter {
  public:
    OrderedPrinter(std::ostream& out, const SweepSettings& settings, std::size_t points)
        : out_(out), settings_(settings), done_(points) {}

    void Done(const PointResult& result) {
        std::lock_guard lock(mutex_);
        done_[result.index] = result;
        while (next_ < done_.size() && done_[next_]) {
            const PointResult& r = *done_[next_];
            out_ << SweepCsvLine(r, TheoryFor(settings_, r.point.dEbN0dB), settings_.config) << '\n'
                 << std::flush;
            ++next_;
        }
    }

  private:
    std::mutex mutex_;
    std::ostream& out_;
    const SweepSettings& settings_;
    std::vector<std::optional<PointResult>> done_;
    std::size_t next_ = 0;
};

}  // namespace

int RunSweep(Form1& form, const SweepOptions& options, std::ostream& out, std::ostream& messages) {
    const SweepSetup setup =
        SetUpSweep(SweepSnapshot(form), {options.noise, options.thresholds}, options.ebN0dB);
    if (!setup.Runnable()) {
        messages << "linelab-batch: --sweep: " << *setup.beyondNoiseLimit
                 << " dB needs more noise than the largest level, " << kMaxNoiseLevel
                 << " W/kHz; start the range higher\n";
        return 2;
    }
    const SweepSettings& settings = setup.settings;
    const std::vector<SweepPoint>& points = setup.points;
    out << kSweepCsvHeader << '\n' << std::flush;
    OrderedPrinter printer(out, settings, points.size());
    SweepLimits limits;
    limits.minErrors = options.minErrors;
    limits.maxBits = options.maxBits;
    limits.seed = options.seed;
    limits.threads = options.jobs;
    SweepCallbacks callbacks;
    callbacks.onPoint = [&](const PointResult& r) { printer.Done(r); };
    const SweepRunner kind = options.engineRunner ? SweepRunner::Engine : SweepRunner::Folded;
    Sweep sweep(SweepRunners(settings, kind), points, limits, callbacks);
    sweep.Start();
    sweep.Wait();
    const SweepOutcome outcome = sweep.Outcome();
    if (!outcome.error.empty()) messages << "message: " << outcome.error << '\n' << std::flush;
    if (!out) return 1;
    return outcome.error.empty() ? 0 : 3;
}

}  // namespace linelab
