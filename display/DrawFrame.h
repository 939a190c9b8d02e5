#pragma once
// The views of a frame: each fed panel drawn through the panels port, as the run left it and
// with what the views keep (the spectrum averages, the eye scale), once they have taken it.

#include <vector>

#include "display/FrameViews.h"
#include "display/Plots.h"
#include "ports/Frame.h"
#include "ports/Panels.h"

namespace linelab {

// Draws every panel the frame fed, in the order of the chain; `views` has taken the frame.
void DrawFrame(const Frame& frame, const FrameViews& views, Panels& panels);

// What an eye panel draws of a frame: the stage's waveform, the scale, whether the markers
// (thresholds and sampling instant) go with it, and whether the run fed the panel at all.
// Measurements that count an eye's traces read the same.
struct EyeTrace {
    const Signal* timeData = nullptr;
    double scale = 0;
    bool markers = false;
    bool fed = false;
};
EyeTrace EyeTraceOf(const Frame& frame, const FrameViews& views, EyePanel eye);

// The markers an eye panel `width` by `height` units shows over its traces with a run whose
// decisions used `thresholds`: the lines the eye routine draws for them as DrawFrame draws
// that eye (none for an eye drawn without markers). A view that paints the markers over
// later traces or a density image takes them from here rather than from the drawing.
std::vector<Segment> EyeMarkersOf(EyePanel eye, const Thresholds& thresholds, const EyeView& view,
                                  int width, int height);

}  // namespace linelab
