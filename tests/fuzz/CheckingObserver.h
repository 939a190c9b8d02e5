#pragma once
// The view as the harness plays it: it keeps its own copy of the timer from what it is
// told, and checks every message against the timer. A message that stops the timer must
// arrive with the timer already disabled, and stopping is what exactly the three messages
// of an unrecognised setting inside a tick do.

#include <string>
#include <vector>

#include "ui/Form1.h"

namespace linelab::fuzz {

class CheckingObserver : public FormObserver {
  public:
    explicit CheckingObserver(const Form1& form) : form_(form), timer_(form.Timer()) {}

    void ControlChanged(ControlRef control, std::string_view name) override;
    void TimerChanged(const TimerControl& timer) override;
    void Report(std::string_view message, bool stopsTimer) override;

    // The timer as the view believes it to be.
    const TimerControl& ViewTimer() const { return timer_; }
    const std::vector<std::string>& Messages() const { return messages_; }
    const std::string& Fault() const { return fault_; }

  private:
    void Record(std::string what);

    const Form1& form_;
    TimerControl timer_;
    std::vector<std::string> messages_;
    std::string fault_;
};

}  // namespace linelab::fuzz
