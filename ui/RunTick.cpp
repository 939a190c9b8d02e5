// Run control: the tick, the pause button and the messages that stop the timer.

#include "common/Tables.h"
#include "display/DrawFrame.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"

namespace linelab {

void Form1::Timer1_Timer() {
    // A message box shown from inside a tick may run the view's event loop; a timer event
    // delivered there must not start a second run on top of the first.
    if (inTick_) return;
    struct TickFlag {
        bool& flag;
        explicit TickFlag(bool& f) : flag(f) { flag = true; }
        ~TickFlag() { flag = false; }
    } tickFlag(inTick_);
    FormHost host(*this);
    strips_.NewRun(
        RunSpan(CodeBaud(List(ListId::cmbCode0).text), List(ListId::cmbMod0).text == "4-PAM"));
    DrawFrame(engine_.Tick(host.Ports()), host);
}

void Form1::ClickPause() {
    run_.PauseClick();
    SyncRunControl();
}

void Form1::SyncRunControl() {
    if (timer_.enabled != run_.enabled || timer_.interval != run_.interval) {
        timer_.enabled = run_.enabled;
        timer_.interval = run_.interval;
        if (observer_ != nullptr) observer_->TimerChanged(timer_);
    }
    if (pause_.caption != run_.caption) {
        pause_.caption = run_.caption;
        Notify(kPauseButton);
    }
}

void Form1::ReportMessage(std::string_view message, bool stopsTimer) {
    if (stopsTimer) {
        // Stopped before the box shows, so no tick can start while it is open; the caption
        // stays, and the next click on cmdPause resumes slowly.
        run_.enabled = false;
        SyncRunControl();
    }
    if (observer_ != nullptr) observer_->Report(message, stopsTimer);
}

}  // namespace linelab
