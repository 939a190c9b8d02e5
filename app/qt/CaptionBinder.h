#pragma once
// Labels and the pause button: captions and colours from the model; the pause button's
// click and a click on the bit error rate label go to the model.

#include <functional>

#include "ui/Controls.h"
#include "app/qt/ControlWidgets.h"

namespace linelab {

class Form1;

class CaptionBinder {
  public:
    CaptionBinder(Form1& form, const ControlWidgets& widgets, std::function<void()> afterAction);

    void Connect();
    void SyncLabel(LabelId id);
    void SyncPause();

  private:
    Form1& form_;
    const ControlWidgets& widgets_;
    std::function<void()> afterAction_;
};

}  // namespace linelab
