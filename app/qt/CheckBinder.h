#pragma once
// Binds the check boxes to the model both ways. QCheckBox::clicked comes only from the
// user (mouse or Space), never from setChecked, so the model's own changes cannot return.
// A switched-off strip is shown greyed.

#include <functional>

#include "ui/Controls.h"
#include "app/qt/ControlWidgets.h"

namespace linelab {

class Form1;

class CheckBinder {
  public:
    CheckBinder(Form1& form, const ControlWidgets& widgets, std::function<void()> afterAction);

    void Connect();
    void Sync(CheckId id);

  private:
    void Clicked(CheckId id, bool checked);

    Form1& form_;
    const ControlWidgets& widgets_;
    std::function<void()> afterAction_;
};

}  // namespace linelab
