#pragma once
// Binds the scroll bars to the model both ways. valueChanged also fires when the value is
// set from code, so every model-driven update is made with the signals blocked, and a
// value that already matches the model is not sent again.

#include <functional>

#include "ui/Controls.h"
#include "app/qt/ControlWidgets.h"

namespace linelab {

class Form1;

class SliderBinder {
  public:
    SliderBinder(Form1& form, const ControlWidgets& widgets, std::function<void()> afterAction);

    void Connect();
    void Sync(SliderId id);

  private:
    void Moved(SliderId id, int value);

    Form1& form_;
    const ControlWidgets& widgets_;
    std::function<void()> afterAction_;
};

}  // namespace linelab
