#include "app/qt/SliderBinder.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include "ui/Form1.h"

namespace linelab {

SliderBinder::SliderBinder(Form1& form, const ControlWidgets& widgets,
                           std::function<void()> afterAction)
    : form_(form), widgets_(widgets), afterAction_(std::move(afterAction)) {}

void SliderBinder::Connect() {
    for (int i = 0; i < CountOf<SliderId>(); ++i) {
        const auto id = static_cast<SliderId>(i);
        QScrollBar* bar = widgets_.Slider(id);
        QObject::connect(bar, &QScrollBar::valueChanged, bar,
                         [this, id](int value) { Moved(id, value); });
    }
}

void SliderBinder::Moved(SliderId id, int value) {
    if (value == form_.Slider(id).value) return;
    form_.SetSliderValue(id, value);
    Sync(id);  // the model may hold another value (the threshold never rests at 100)
    afterAction_();
}

void SliderBinder::Sync(SliderId id) {
    const SliderControl& slider = form_.Slider(id);
    QScrollBar* bar = widgets_.Slider(id);
    const QSignalBlocker blocker(bar);
    bar->setRange(slider.min, slider.max);
    bar->setSingleStep(slider.smallChange);
    bar->setPageStep(slider.largeChange);
    bar->setValue(slider.value);
}

}  // namespace linelab
