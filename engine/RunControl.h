#pragma once
// Run control: the timer's enabled flag and interval, and the caption of cmdPause.

#include <string>

namespace linelab {

struct RunControl {
    bool enabled = true;
    int interval = 100;  // milliseconds
    std::string caption = "Pause";

    // A click on cmdPause: paused -> "Slow" (1000 ms) -> "Pause" (100 ms) -> "Cont" (stopped).
    void PauseClick();
};

}  // namespace linelab
