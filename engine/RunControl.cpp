#include "engine/RunControl.h"

namespace linelab {

void RunControl::PauseClick() {
    if (!enabled) {
        enabled = true;
        caption = "Slow";
        interval = 1000;
    } else if (caption == "Slow") {
        caption = "Pause";
        interval = 100;
    } else if (caption == "Pause") {
        enabled = false;
        caption = "Cont";
    }
    // Running with any other caption (a message stopped and the user never clicked):
    // nothing changes.
}

}  // namespace linelab
