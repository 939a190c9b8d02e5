#pragma once
// The simulation the form drives: its engine, the run control behind the pause button and
// the timer, the views' state between frames, and the record of the strips the last run drew.
// A tick reads the controls, runs the engine on what it read, hands the frame to the views,
// applies what the frame asks of the controls and draws the frame on the panels; the strips
// can be drawn again from the record when their sliders move.

#include <span>
#include <string_view>

#include "display/FrameViews.h"
#include "display/StripRedraw.h"
#include "engine/Engine.h"
#include "ui/ControlSet.h"
#include "ui/RunControl.h"

namespace linelab {

class Simulation {
  public:
    explicit Simulation(ControlSet& controls);
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    Engine& Link() { return engine_; }
    const RunState& State() const { return engine_.State(); }
    // The configuration the last tick ran on (the engine's reference filled in).
    const LinkConfig& RunConfig() const { return engine_.Config(); }
    // What the views keep between frames: the spectrum averages, the memory trace, the eye
    // scale. Each frame is handed to them right after its tick.
    FrameViews& Views() { return views_; }
    const FrameViews& Views() const { return views_; }
    // The counts RestartPics(side) restarts: side 0 the transmit spectrum's average, side 1
    // the channel and receive spectra's; every side the bit error rate.
    void RestartCounters(int side);

    // One tick of the timer, drawn on the panels; its frame, or nullptr for a call made while
    // a tick runs (a message box's event loop), which is ignored.
    const Frame* Tick();
    // True while the engine computes a run inside Tick: it is handed everything as data
    // before and its frame is applied after, so nothing of the form is called meanwhile.
    bool EngineRunning() const { return engineRunning_; }
    // The pause button: the run control's next step, shown on the button and the timer.
    void ClickPause();
    void SyncRunControl();
    // A message for the box; one that stops the timer stops it before the box shows.
    void ReportMessage(std::string_view message, bool stopsTimer);
    // A fault the simulation met, in the program's words (ui/FaultText.h).
    void ReportFault(Fault fault);

    // ---- the strips ---------------------------------------------------------------------
    void DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                   std::span<const int16_t> data, std::span<const int16_t> compareData,
                   int32_t colour, int16_t iMin, int16_t iMax);
    // Every switched-on strip again as the last run drew it, at the current zoom and scroll.
    void RedrawStrips();
    const StripRecord& Strips() const { return strips_; }

    // Takes the engine, the run control and the strips from `fresh` (a reset).
    void TakeState(Simulation& fresh);

  private:
    double StripStart() const;  // where the strips begin, in panel widths
    const Frame& ApplyFrame(const Frame& ran);

    ControlSet& controls_;
    Engine engine_;
    FrameViews views_;
    LinkConfig config_;  // read from the controls before each tick
    RunControl run_;
    StripRecord strips_;
    bool inTick_ = false;
    bool engineRunning_ = false;
};

}  // namespace linelab
