#pragma once
// What one tick computed, handed to its owner read-only: the run's arrays of every stage (in
// the run state), the decisions and the data they are compared with, the run's error count,
// the receive eye's markers, the strip scales, and what the run asks of the owner's controls.
// Views, measurements, fast runs, sweeps and the batch dump all read frames; a tick computes
// the same arrays whatever is shown. What only pictures read (the transmit and channel stages)
// and what the views keep between frames (the spectrum averages, the memory trace) are
// theirs, formed from frames after the tick (display/FrameViews.h).
//
// A tick calls nothing of its owner's. Afterwards the owner, in this order:
//   0. hands the frame to its views (FrameViews::TakeFrame), before any handler can restart
//      an average, so the run counts where it counted when the tick averaged it itself;
//   1. reports MessagesBeforeSlider(), moves the threshold slider to thresholdSlider when
//      moveThresholdSlider says so (a change of the slider, its handlers run), and reports
//      MessagesAfterSlider() -- the order in which the run met them;
//   2. calls Engine::AccumulateBer(), which folds the run into the running bit error rate
//      (after the slider's handling, which restarts it) and fills in the count's fields;
//   3. shows the running rate (Run().dBER) and draws the frame.

#include <cstdint>
#include <span>

#include "common/LinkConfig.h"
#include "common/Reporter.h"
#include "common/RunState.h"

namespace linelab {

struct Frame {
    const RunState* run = nullptr;  // the engine's run state after the tick

    // The panels whose pictures this run fed (their check boxes when the tick ran). The
    // views form the transmit and channel stages for these alone and the spectrum views
    // average only for these; the tick computes the same whatever they are.
    ShownPanels fed;
    // The run formed its transmit-filter output (dTxSpectrum, dTxWaveform): its noise
    // measured the run's energy on it. A view of the transmit stage reads it there rather
    // than forming the stage again.
    bool txWaveformFormed = false;

    int16_t iTxCodeBaud = 12;  // strip scale of one code bit at the transmitter
    int16_t iRxCodeBaud = 12;  // and at the receiver
    bool txPam4 = false;       // four-level strips at the transmitter
    bool rxPam4 = false;       // and at the receiver
    Thresholds dThresholds{};  // the thresholds the decisions used (the receive eye's markers)
    int samplingOffset = 0;    // the sampling instant, half-samples (the receive eye's marker)
    bool designed = false;     // this tick ran the design pass

    // The threshold slider position the thresholds were set from. A multi-threshold pattern
    // cannot take the top (100, all thresholds at zero): the run used 99 instead, and the
    // slider must be moved there.
    int thresholdSlider = 0;
    bool moveThresholdSlider = false;

    // The faults the run met, in order; the slider's move falls between the first
    // messagesBeforeSlider of them and the rest. The owner words them (ui/FaultText.h).
    std::span<const Fault> messages;
    std::size_t messagesBeforeSlider = 0;

    // The data bits this run compared, and how many were received wrongly.
    int runErrors = 0;
    int runBits = 0;

    // Filled in by Engine::AccumulateBer: whether the running rate restarted with this run
    // (its rate replaced the old mean); the rate now is the run state's dBER, worded by the
    // owner (ui/RunStatusText.h).
    bool berRestarted = false;
    bool berCounted = false;

    const RunState& Run() const { return *run; }
    std::span<const Fault> MessagesBeforeSlider() const {
        return messages.first(messagesBeforeSlider);
    }
    std::span<const Fault> MessagesAfterSlider() const {
        return messages.subspan(messagesBeforeSlider);
    }
};

// The frame of a run that has gone through both halves with this configuration; the
// transmitter's code-bit scale is the one the line coder set (the receiver's replaced it).
inline Frame FrameOf(const RunState& s, const LinkConfig& c, int16_t iTxCodeBaud) {
    Frame f;
    f.run = &s;
    f.fed = c.shown;
    f.txWaveformFormed = NoiseMeasuresRun(c);
    f.iTxCodeBaud = iTxCodeBaud;
    f.iRxCodeBaud = s.iCodeBaud;
    f.txPam4 = c.format[0] == Format::Pam4;
    f.rxPam4 = c.format[1] == Format::Pam4;
    f.dThresholds = s.dThresholds;
    f.samplingOffset = c.samplingOffset;
    return f;
}

}  // namespace linelab
