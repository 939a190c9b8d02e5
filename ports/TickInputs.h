#pragma once
// What a tick is handed by its owner before it runs, as data: the link as the controls say,
// the filter design inputs, and the threshold slider's position. The owner reads its controls
// first (a window brings its filter boxes to their rounded texts then, each change running its
// handlers); during the tick the engine calls nothing of the owner's. What the run decides a
// control must show comes back in the frame (ports/Frame.h), for the owner to apply after it.

#include "common/LinkConfig.h"
#include "dsp/FilterConfig.h"

namespace linelab {

struct TickInputs {
    const LinkConfig& config;
    // Read only when the responses are stale (Engine::NeedsDesign()); an owner may leave its
    // record as it is otherwise.
    const FilterConfig& filters;
    int thresholdSlider = 0;  // 0..100: the outer threshold's distance from zero
};

}  // namespace linelab
