// Run control through cmdPause, messages that stop the timer, and what the observer hears.

#include <gtest/gtest.h>

#include "FormTestSupport.h"

namespace linelab {
namespace {

using test::Recorder;

// The run control's state machine, every state and both events: what the button reads and
// what the timer does follow from the state.
TEST(RunControl, EveryStateAndEvent) {
    struct Shown {
        RunMode mode;
        const char* caption;
        bool enabled;
        int interval;
    };
    const auto expect = [](const RunControl& run, const Shown& s, const char* step) {
        EXPECT_EQ(run.Mode(), s.mode) << step;
        EXPECT_EQ(run.Caption(), s.caption) << step;
        EXPECT_EQ(run.Enabled(), s.enabled) << step;
        EXPECT_EQ(run.Interval(), s.interval) << step;
    };
    const Shown running{RunMode::Running, "Pause", true, 100},
        slow{RunMode::Slow, "Slow", true, 1000}, stopped{RunMode::Stopped, "Cont", false, 100},
        haltedRunning{RunMode::HaltedRunning, "Pause", false, 100},
        haltedSlow{RunMode::HaltedSlow, "Slow", false, 1000};

    RunControl run;
    expect(run, running, "start-up");
    run.PauseClick();
    expect(run, stopped, "click while running");
    run.Halt();
    expect(run, stopped, "message while stopped");
    run.PauseClick();
    expect(run, slow, "click while stopped");
    run.Halt();
    expect(run, haltedSlow, "message while slow");
    run.Halt();
    expect(run, haltedSlow, "second message");
    run.PauseClick();
    expect(run, slow, "click after a message while slow");
    run.PauseClick();
    expect(run, running, "click while slow");
    run.Halt();
    expect(run, haltedRunning, "message while running");
    run.PauseClick();
    expect(run, slow, "click after a message while running");
}

TEST(RunControl, PauseButtonCyclesStoppedSlowRunning) {
    Form1 form;
    Recorder recorder(form);
    form.SetObserver(&recorder);
    struct Step {
        const char* caption;
        bool enabled;
        int interval;
    };
    for (const Step& step : {Step{"Cont", false, 100}, Step{"Slow", true, 1000},
                             Step{"Pause", true, 100}, Step{"Cont", false, 100}}) {
        recorder.changed.clear();
        ASSERT_TRUE(form.Click("cmdPause"));
        EXPECT_EQ(form.PauseButton().caption, step.caption);
        EXPECT_EQ(form.Timer().enabled, step.enabled) << step.caption;
        EXPECT_EQ(form.Timer().interval, step.interval) << step.caption;
        EXPECT_TRUE(recorder.WasChanged("cmdPause")) << step.caption;
    }
    ASSERT_FALSE(recorder.timers.empty());
    EXPECT_FALSE(recorder.timers.back().enabled);
}

// The simulation's run control on a bare control set: no cascades, no form.
TEST(RunControl, StoppingMessageDisablesTimerFirstAndKeepsCaption) {
    ControlSet form;
    Simulation simulation(form);
    Recorder recorder(form);
    form.SetObserver(&recorder);
    simulation.ReportMessage("Unknown Modulation Type", true);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].first, "Unknown Modulation Type");
    EXPECT_TRUE(recorder.messages[0].second);
    EXPECT_FALSE(recorder.timerEnabledAtReport[0]);
    ASSERT_EQ(recorder.timers.size(), 1u);
    EXPECT_FALSE(recorder.timers[0].enabled);
    EXPECT_EQ(form.PauseButton().caption, "Pause");

    simulation.ClickPause();  // resumes slowly
    EXPECT_TRUE(form.Timer().enabled);
    EXPECT_EQ(form.Timer().interval, 1000);
    EXPECT_EQ(form.PauseButton().caption, "Slow");
}

TEST(RunControl, OtherMessagesLeaveTheTimerRunning) {
    ControlSet form;
    Simulation simulation(form);
    Recorder recorder(form);
    form.SetObserver(&recorder);
    simulation.ReportMessage("Unknown Modulation Format for Thresholds", false);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(recorder.timerEnabledAtReport[0]);
    EXPECT_TRUE(recorder.timers.empty());
    EXPECT_TRUE(form.Timer().enabled);
}

// Each fault the simulation reports reaches the box in the program's own words, and those
// that end the run stop the timer before the box shows.
TEST(RunControl, FaultsReachTheBoxInTheProgramsWords) {
    struct Case {
        Fault fault;
        const char* text;
        bool stops;
    };
    for (const Case& c :
         {Case{Fault::UnknownLineCode, "Unknown Modulation Type", true},
          Case{Fault::UnknownMapping, "Unknown cmbMod(0) Option", true},
          Case{Fault::UnknownDemodulation, "Unknown modulation scheme in demodulating", true},
          Case{Fault::UnknownThresholdPattern, "Unknown Modulation Format for Thresholds", false},
          Case{Fault::TransformLength, "This FFT only does powers of two.", false}}) {
        ControlSet form;
        Simulation simulation(form);
        Recorder recorder(form);
        form.SetObserver(&recorder);
        simulation.ReportFault(c.fault);
        ASSERT_EQ(recorder.messages.size(), 1u) << c.text;
        EXPECT_EQ(recorder.messages[0].first, c.text);
        EXPECT_EQ(recorder.messages[0].second, c.stops) << c.text;
        EXPECT_EQ(recorder.timerEnabledAtReport[0], !c.stops) << c.text;
        EXPECT_EQ(form.Timer().enabled, !c.stops) << c.text;
    }
}

// The observer is told after the change, so what it reads is already the new state.
TEST(Observer, CascadeNotifiesReceiverCopyAfterItChanged) {
    Form1 form;
    struct Watch : FormObserver {
        const Form1* form = nullptr;
        std::string receiverTextWhenTold;
        int receiverNotices = 0;
        void ControlChanged(ControlRef control, std::string_view) override {
            if (control == ControlRef(ListId::cmbCode1)) {
                ++receiverNotices;
                receiverTextWhenTold = form->List(ListId::cmbCode1).text;
            }
        }
    } watch;
    watch.form = &form;
    form.SetObserver(&watch);
    ASSERT_TRUE(form.SetText("cmbCode(0)", "Manchester"));
    EXPECT_EQ(watch.receiverNotices, 1);
    EXPECT_EQ(watch.receiverTextWhenTold, "Manchester");
}

TEST(Observer, ToldOfEveryControlACascadeTouchesAndNothingElse) {
    Form1 form;
    Recorder recorder(form);
    form.SetObserver(&recorder);
    ASSERT_TRUE(form.ApplyScene(4));
    recorder.changed.clear();
    ASSERT_TRUE(form.SetText("cmbTxFilter(0)", "RC"));
    for (const char* name : {"cmbTxFilter(0)", "cmbTxFilter(1)", "cmbTxEB(0)", "cmbTxEB(1)",
                             "cmbTxBW(0)", "cmbTxBW(1)", "lblPCkHz(0)", "lblPCkHz(1)"})
        EXPECT_TRUE(recorder.WasChanged(name)) << name;
    EXPECT_FALSE(recorder.WasChanged("cmbMod(0)"));
    recorder.changed.clear();
    ASSERT_TRUE(form.SetText("cmbTxFilter(0)", "RC"));  // unchanged
    EXPECT_TRUE(recorder.changed.empty());
    form.SetObserver(nullptr);
    ASSERT_TRUE(form.SetText("cmbTxFilter(0)", "None"));
    EXPECT_TRUE(recorder.changed.empty());
}

TEST(Observer, ThresholdForcingNotifiesTheSlider) {
    Form1 form;
    ASSERT_TRUE(form.SetText("cmbMod(0)", "4-PAM"));
    Recorder recorder(form);
    form.SetObserver(&recorder);
    ASSERT_TRUE(form.SetSliderValue(SliderId::vscThreshold, 100));
    EXPECT_EQ(form.Slider(SliderId::vscThreshold).value, 99);
    EXPECT_GE(std::count(recorder.changed.begin(), recorder.changed.end(), "vscThreshold"), 2);
}

}  // namespace
}  // namespace linelab
