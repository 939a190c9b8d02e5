#pragma once
// What the form model tells its view. Every call comes after the change is complete, so a
// view that updates the widget with its signals blocked never feeds the change back.

#include <string_view>

#include "ui/Controls.h"
#include "ui/ViewOptions.h"

namespace linelab {

class FormObserver {
  public:
    virtual ~FormObserver() = default;

    // Some property of this control changed (text, items, value, range, caption, colour,
    // visibility). Cascades report every control they touch, the receiver's copies too.
    virtual void ControlChanged(ControlRef control, std::string_view name) {
        (void)control;
        (void)name;
    }

    // A View option was switched (by its menu item or by a lesson).
    virtual void ViewOptionChanged(ViewOption option, bool on) {
        (void)option;
        (void)on;
    }

    // Timer1's enabled flag or interval changed.
    virtual void TimerChanged(const TimerControl& timer) { (void)timer; }

    // A message for the modal box. When stopsTimer is true the model has already disabled
    // Timer1 (and told TimerChanged) before this call, so no tick runs while it is shown.
    virtual void Report(std::string_view message, bool stopsTimer) {
        (void)message;
        (void)stopsTimer;
    }
};

}  // namespace linelab
