#pragma once
// The statistical eye's views for the page (View > BER Contours over the receive eye, the
// Bathtub window), worked out from a form's present settings as the desktop's are, in a
// worker of their own so the simulation never waits for them. The contours come as line
// segments in the receive eye's drawing units (those its recorded commands use), each with
// the place of its label; the bathtubs as curves, marks, readouts and the sliders' best
// places. The page only draws them.

#include <string>

#include "ui/Form1.h"

namespace linelab {
struct SweepSettings;
}

namespace linelab::web {

// {"problem", "contours": [{"rate", "label", "colour", "segments": [x0, y0, x1, y1, ...],
//   "labelAt": [x, y] or null}], "bathtub": {...} or null, "best": {"hscSample",
//   "vscThreshold"} or null, "readout", "csv"} as JSON; with `bathtub` false only the
// contours.
std::string StatViewsJson(Form1& form, bool bathtub);

// The BER Curve's statistical curve of a sweep's settings (its filters, channel, echo,
// inversion, sampling instant and the thresholds its receiver uses): the predicted data-bit
// error rate at `samples` + 1 steps over [first, last] dB, as the desktop's BER Curve window
// draws it beside the measured points, rates below `lowest` left out.
// {"problem", "ebN0": [...], "rate": [...]} as JSON; "problem" says why there is none.
std::string StatCurveJson(const SweepSettings& settings, double first, double last, int samples,
                          double lowest);

}  // namespace linelab::web
