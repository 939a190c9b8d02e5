#pragma once
// What one tick computed, handed to its owner read-only: the run's arrays of every stage (in
// the run state), the decisions and the data they are compared with, the receive eye's
// markers, and the scales the views need. Views, measurements, fast runs, sweeps and the
// batch dump all read frames; a tick computes the same decisions whatever is shown.

#include <cstdint>

#include "common/LinkConfig.h"
#include "common/RunState.h"

namespace linelab {

struct Frame {
    const RunState* run = nullptr;  // the engine's run state after the tick

    // The panels whose pictures this run fed (their check boxes when the tick ran). Work that
    // only feeds a picture (the transmit and channel waveforms, the spectrum averages) is
    // done for these alone; decisions and counts never depend on them.
    ShownPanels fed;

    int16_t iTxCodeBaud = 12;  // strip scale of one code bit at the transmitter
    int16_t iRxCodeBaud = 12;  // and at the receiver
    bool txPam4 = false;       // four-level strips at the transmitter
    bool rxPam4 = false;       // and at the receiver
    double dTxEyeScale = 0;    // the transmit and channel eyes' scale
    Thresholds dThresholds{};  // the thresholds the decisions used (the receive eye's markers)
    int hscSample = 0;         // the sampling instant (the receive eye's marker)

    const RunState& Run() const { return *run; }
};

// The frame of a run that has gone through both halves with this configuration; the
// transmitter's code-bit scale is the one the line coder set (the receiver's replaced it).
inline Frame FrameOf(const RunState& s, const LinkConfig& c, int16_t iTxCodeBaud) {
    Frame f;
    f.run = &s;
    f.fed = c.shown;
    f.iTxCodeBaud = iTxCodeBaud;
    f.iRxCodeBaud = s.iCodeBaud;
    f.txPam4 = c.format[0] == Format::Pam4;
    f.rxPam4 = c.format[1] == Format::Pam4;
    f.dTxEyeScale = s.dTxEyeScale;
    f.dThresholds = s.dThresholds;
    f.hscSample = c.hscSample;
    return f;
}

}  // namespace linelab
