#pragma once
// One computation from the window's settings at a time, on a worker thread, started again
// only when the settings change what it computes (the statistical eye's views).

#include <functional>
#include <optional>
#include <thread>

#include "sweep/SweepSettings.h"

namespace linelab {

class Form1;

// Whether two snapshots give the same statistics (which panels show and the eyes' scale
// do not matter; the sliders do, for the rates in use).
bool SameStatistics(const SweepSettings& a, const SweepSettings& b);

class SettingsJob {
  public:
    using Work = std::function<void(const SweepSettings&)>;

    SettingsJob() = default;
    SettingsJob(const SettingsJob&) = delete;
    SettingsJob& operator=(const SettingsJob&) = delete;
    ~SettingsJob() { Join(); }

    // Runs `work` on the form's present settings on a worker, unless a job is running (its
    // owner asks again when it has taken the result) or the last one was for the same
    // statistics. `work` hands its result on by a queued signal.
    void Ask(Form1& form, Work work);
    // The owner has taken the running job's result.
    void Finished() { busy_ = false; }
    // Waits for the job: only the owner's destructor, at most one job's time.
    void Join() {
        if (worker_.joinable()) worker_.join();
    }
    bool Busy() const { return busy_; }
    int Jobs() const { return jobs_; }

  private:
    std::optional<SweepSettings> asked_;  // what the latest job (or the result) is for
    std::thread worker_;
    bool busy_ = false;
    int jobs_ = 0;
};

}  // namespace linelab
