#include "ui/RunControl.h"

namespace linelab {

std::string_view RunControl::Caption() const {
    switch (mode_) {
        case RunMode::Slow:
        case RunMode::HaltedSlow:
            return "Slow";
        case RunMode::Stopped:
            return "Cont";
        case RunMode::Running:
        case RunMode::HaltedRunning:
            break;
    }
    return "Pause";
}

bool RunControl::Enabled() const {
    return mode_ == RunMode::Running || mode_ == RunMode::Slow;
}

// Stopped keeps the interval of the run it paused, which is always the fast one: only a click
// on "Pause" stops.
int RunControl::Interval() const {
    return mode_ == RunMode::Slow || mode_ == RunMode::HaltedSlow ? 1000 : 100;
}

void RunControl::PauseClick() {
    switch (mode_) {
        case RunMode::Running:
            mode_ = RunMode::Stopped;
            break;
        case RunMode::Slow:
            mode_ = RunMode::Running;
            break;
        case RunMode::Stopped:
        case RunMode::HaltedRunning:
        case RunMode::HaltedSlow:
            mode_ = RunMode::Slow;
            break;
    }
}

void RunControl::Halt() {
    if (mode_ == RunMode::Running) mode_ = RunMode::HaltedRunning;
    if (mode_ == RunMode::Slow) mode_ = RunMode::HaltedSlow;
}

}  // namespace linelab
