#include "ui/FastRun.h"

#include "ui/Form1.h"
#include "ui/Measurements.h"

namespace linelab {

FastRun::FastRun(Form1& form, Measurements& measurements, std::function<Clock::time_point()> now)
    : form_(form), measurements_(measurements), now_(std::move(now)) {}

bool FastRun::Slice(uint64_t maxRuns) {
    const Clock::time_point start = now_();
    if (!started_) {
        started_ = true;
        rateStart_ = start;
        lastDrawn_ = start - kRepaintPeriod;  // the first slice shows its run at once
    }
    const bool drawDue = start - lastDrawn_ >= kRepaintPeriod;
    uint64_t done = 0;
    bool drawn = false;
    while (done < maxRuns && form_.Timer().enabled) {
        Clock::time_point now = now_();
        const bool last = now - start >= kSlice || done + 1 == maxRuns;
        const bool draw = last && drawDue;
        measurements_.Tick(!draw);
        ++done;
        if (last) {
            drawn = draw;
            if (draw) lastDrawn_ = now;
            break;
        }
    }
    runs_ += done;
    rateRuns_ += done;
    CountRate(now_());
    return drawn;
}

void FastRun::CountRate(Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - rateStart_).count();
    if (seconds < 1.0) return;
    rate_ = static_cast<double>(rateRuns_) / seconds;
    rateRuns_ = 0;
    rateStart_ = now;
}

}  // namespace linelab
