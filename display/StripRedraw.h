#pragma once
// What each strip showed at the last run, and drawing it again. A redraw (a strip slider
// moved, the panel resized) repeats exactly what the run drew: the run's own arguments and
// copies of its sequences, so neither a later stage that rewrites an array in place (the
// NRZI removal of the receiver) nor the receiver's time scale can change the picture.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

#include "common/RunState.h"
#include "display/Canvas.h"
#include "ports/Panels.h"

namespace linelab {

// One strip as the run drew it: plotData's arguments.
struct StripShot {
    bool drawn = false;  // drawn by the last run
    int16_t iDutyCycle = 16;
    int16_t iBaud = 12;
    int32_t colour = kBlue;
    int16_t iMin = 0;
    int16_t iMax = 1;
    std::size_t length = 0;  // elements held in data and compareData
    Bits data{};
    Bits compareData{};
};

struct StripRecord {
    std::array<StripShot, kStripPanels> strips{};
    // How many panel widths (at zoom 1) one run lasts: 128 symbols at the transmitter's
    // symbol time scale. The scroll slider moves through this.
    double runSpan = 128.0 / 12;

    StripShot& Of(StripPanel panel) { return strips[static_cast<std::size_t>(panel)]; }
    const StripShot& Of(StripPanel panel) const { return strips[static_cast<std::size_t>(panel)]; }
    void NewRun(double span);  // forgets which strips were drawn
};

// Which strips are switched on.
struct StripSwitches {
    std::array<bool, kStripPanels> on{};
    StripSwitches() = default;
    StripSwitches(std::initializer_list<StripPanel> panels) {
        for (StripPanel panel : panels)
            on[static_cast<std::size_t>(panel)] = true;
    }
};

// Panel widths (at zoom 1) from the start of the run to the left edge of the strips, for
// scroll position `position` of 0..`maximum`: the start of the run at 0, the last stretch
// that fills the strips at the maximum.
double ScrollStart(int position, int maximum, int zoom, double runSpan);

// Panel widths a run lasts for a transmit line-code time scale (iCodeBaud) and format.
double RunSpan(int16_t codeBaud, bool pam4);

// Stores the arguments of a strip the run draws; sequences longer than a run array are cut.
void RecordStrip(StripShot& shot, int16_t iDutyCycle, int16_t iBaud, std::span<const int16_t> data,
                 std::span<const int16_t> compareData, int32_t colour, int16_t iMin, int16_t iMax);

// Draws a recorded strip with plotData from the element at `start` panel widths on.
void DrawShot(const StripShot& shot, Canvas& canvas, int zoom, double start);

// The panel a strip is drawn in.
using StripCanvases = std::function<Canvas&(StripPanel)>;

// Draws again each strip that is switched on and was drawn by the last run.
void RedrawStrips(const StripRecord& record, const StripSwitches& switches, int zoom, double start,
                  const StripCanvases& canvasOf);

}  // namespace linelab
