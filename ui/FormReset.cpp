// The window's File > Reset and the scene box's own text: actions of the window beside the
// handlers, which the batch tool never needs.

#include <memory>

#include "ui/Form1.h"

namespace linelab {

// A fresh model is built exactly as at launch and its state taken over, so a reset can never
// drift from what start-up does. Only the canvases the view attached stay.
void Form1::Reset() {
    auto fresh = std::make_unique<Form1>();
    engine_ = std::move(fresh->engine_);
    run_ = fresh->run_;
    lists_ = std::move(fresh->lists_);
    checks_ = std::move(fresh->checks_);
    sliders_ = std::move(fresh->sliders_);
    labels_ = std::move(fresh->labels_);
    pause_ = fresh->pause_;
    decorations_ = fresh->decorations_;
    timer_ = fresh->timer_;
    scene_ = fresh->scene_;
    strips_ = fresh->strips_;
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        Canvas* canvas = pictures_[i].canvas;
        pictures_[i] = fresh->pictures_[i];
        pictures_[i].canvas = canvas;
        canvas->Clear();
    }
    if (observer_ == nullptr) return;
    for (ControlRef control : AllControls())
        Notify(control);
    observer_->TimerChanged(timer_);
}

bool Form1::ShowSceneName() {
    ListControl& scene = L(ListId::cmbScene);
    if (scene.ListIndex() >= 0 || static_cast<std::size_t>(scene_) >= scene.items.size())
        return false;
    scene.text = scene.items[static_cast<std::size_t>(scene_)];
    Notify(ListId::cmbScene);
    return true;
}

}  // namespace linelab
