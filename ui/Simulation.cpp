// The tick, the pause button, the messages that stop the timer, and the strips as the window
// shows them: every strip a run draws is recorded, so moving a strip slider or resizing a
// panel shows the run's own picture again, from the part of the run the scroll slider selects.
#include "ui/Simulation.h"

#include "common/Tables.h"
#include "display/DrawFrame.h"
#include "ui/FaultText.h"
#include "ui/FormHost.h"
#include "ui/ListTexts.h"
#include "ui/PanelTable.h"
#include "ui/RunStatusText.h"

namespace linelab {

Simulation::Simulation(ControlSet& controls) : controls_(controls) {
    controls_.SetPauseCaption(run_.Caption());
    controls_.SetTimer(run_.Enabled(), run_.Interval());
}

const Frame* Simulation::Tick() {
    // A message box shown from inside a tick may run the view's event loop; a timer event
    // delivered there must not start a second run on top of the first.
    if (inTick_) return nullptr;
    struct TickFlag {
        bool& flag;
        explicit TickFlag(bool& f) : flag(f) { flag = true; }
        ~TickFlag() { flag = false; }
    } tickFlag(inTick_);
    FormHost host(controls_, *this);
    strips_.NewRun(RunSpan(CodeBaud(FindLineCode(controls_.List(ListId::cmbCode0).text)),
                           controls_.List(ListId::cmbMod0).text == "4-PAM"));
    // Everything the run needs, read before it: the boxes rounded first, since their
    // handling may change the pulse width the configuration reads.
    FilterConfig filters;
    if (engine_.NeedsDesign()) filters = host.ReadFilterConfig();
    ReadLinkConfig(controls_, config_);
    const int slider = controls_.Slider(SliderId::vscThreshold).value;
    const Frame* ran = nullptr;
    {
        const TickFlag running(engineRunning_);
        ran = &engine_.Tick({config_, filters, slider});
    }
    views_.TakeFrame(*ran, ViewSettingsOf(controls_));
    const Frame& frame = ApplyFrame(*ran);
    DrawFrame(frame, views_, host);
    return &frame;
}

// What the run asks of the controls, in the order the run met it, each change running its
// handlers as a user's would; then the run is counted (after the slider's handling, which
// restarts the rate) and its caption shown.
const Frame& Simulation::ApplyFrame(const Frame& ran) {
    for (const Fault fault : ran.MessagesBeforeSlider())
        ReportFault(fault);
    if (ran.moveThresholdSlider)
        controls_.AssignSlider(SliderId::vscThreshold, ran.thresholdSlider);
    for (const Fault fault : ran.MessagesAfterSlider())
        ReportFault(fault);
    const Frame& counted = engine_.AccumulateBer();
    controls_.SetCaption(LabelId::lblBER, BerCaption(counted.Run().dBER));
    return counted;
}

void Simulation::ClickPause() {
    run_.PauseClick();
    SyncRunControl();
}

void Simulation::SyncRunControl() {
    controls_.SetTimer(run_.Enabled(), run_.Interval());
    controls_.SetPauseCaption(run_.Caption());
}

void Simulation::ReportFault(Fault fault) {
    ReportMessage(FaultText(fault), StopsTimer(fault));
}

void Simulation::ReportMessage(std::string_view message, bool stopsTimer) {
    if (stopsTimer) {
        // Stopped before the box shows, so no tick can start while it is open; the caption
        // stays, and the next click on cmdPause resumes slowly.
        run_.Halt();
        SyncRunControl();
    }
    if (FormObserver* observer = controls_.Observer()) observer->Report(message, stopsTimer);
}

double Simulation::StripStart() const {
    const SliderControl& scroll = controls_.Slider(SliderId::hscDataScroll);
    return ScrollStart(scroll.value - scroll.min, scroll.max - scroll.min,
                       controls_.Slider(SliderId::hscDataZoom).value, strips_.runSpan);
}

void Simulation::DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                           std::span<const int16_t> data, std::span<const int16_t> compareData,
                           int32_t colour, int16_t iMin, int16_t iMax) {
    StripShot& shot = strips_.Of(panel);
    RecordStrip(shot, iDutyCycle, iBaud, data, compareData, colour, iMin, iMax);
    DrawShot(shot, controls_.CanvasOf(Describe(panel).picture),
             controls_.Slider(SliderId::hscDataZoom).value, StripStart());
}

void Simulation::RedrawStrips() {
    StripSwitches switches;
    for (std::size_t i = 0; i < switches.on.size(); ++i)
        switches.on[i] = controls_.Check(Describe(static_cast<StripPanel>(i)).check).value == 1;
    const auto canvasOf = [this](StripPanel panel) -> Canvas& {
        return controls_.CanvasOf(Describe(panel).picture);
    };
    linelab::RedrawStrips(strips_, switches, controls_.Slider(SliderId::hscDataZoom).value,
                          StripStart(), canvasOf);
}

void Simulation::RestartCounters(int side) {
    if (side == 0) views_.RestartSpectrum(SpectrumPanel::Tx);
    if (side == 1) {
        views_.RestartSpectrum(SpectrumPanel::Rx);
        views_.RestartSpectrum(SpectrumPanel::Channel);
    }
    engine_.RestartBer();
}

void Simulation::TakeState(Simulation& fresh) {
    engine_ = std::move(fresh.engine_);
    views_ = fresh.views_;
    run_ = fresh.run_;
    strips_ = fresh.strips_;
}

}  // namespace linelab
