#pragma once
// The fast run: runs as fast as the machine allows while the window stays responsive. The
// view calls Slice() on every turn of its event loop (a zero-interval timer); a slice runs
// quiet ticks for a few milliseconds, so input waits at most one slice, and draws the last
// run of a slice only when a repaint is due, at most 20 times a second. Every run counts
// towards the bit error rate; see Measurements for which panels accumulate every run.

#include <chrono>
#include <cstdint>
#include <functional>

namespace linelab {

class Form1;
class Measurements;

class FastRun {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kSlice{8};
    static constexpr std::chrono::milliseconds kRepaintPeriod{50};

    // now: the clock read between runs (a test passes its own).
    FastRun(Form1& form, Measurements& measurements,
            std::function<Clock::time_point()> now = &Clock::now);

    // One slice: runs until the slice is spent, the timer is disabled (paused, or a message
    // stopped it) or maxRuns are done. True when its last run was drawn: the view repaints.
    bool Slice(uint64_t maxRuns = UINT64_MAX);

    uint64_t Runs() const { return runs_; }
    // Runs per second over the last second or so, for the status bar; 0 before that.
    double Rate() const { return rate_; }

  private:
    void CountRate(Clock::time_point now);

    Form1& form_;
    Measurements& measurements_;
    std::function<Clock::time_point()> now_;
    Clock::time_point lastDrawn_{};
    Clock::time_point rateStart_{};
    uint64_t rateRuns_ = 0;
    uint64_t runs_ = 0;
    double rate_ = 0;
    bool started_ = false;
};

}  // namespace linelab
