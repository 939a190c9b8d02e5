#pragma once
// Binds the drop-down lists to the model both ways. A pick (QComboBox::activated, which
// only the user raises) or finished typing goes to the model once; a change the model
// reports is copied into the widget with its signals blocked, so it never comes back.

#include <functional>
#include <string>

#include "ui/Controls.h"
#include "app/qt/ControlWidgets.h"

namespace linelab {

class Form1;

class ListBinder {
  public:
    ListBinder(Form1& form, const ControlWidgets& widgets, std::function<void()> afterAction);

    void Connect();
    void Sync(ListId id);
    // Told of every text the user typed into a box, after the model took it.
    void SetTypedHook(std::function<void(ListId, const std::string&)> hook) {
        typedHook_ = std::move(hook);
    }

  private:
    void Picked(ListId id, int index);
    void Typed(ListId id);

    Form1& form_;
    const ControlWidgets& widgets_;
    std::function<void()> afterAction_;
    std::function<void(ListId, const std::string&)> typedHook_;
};

}  // namespace linelab
