// The primitives every handler is built from. Each one changes one control, tells the
// observer, and (for the values that have handlers) runs the control's handling.

#include <algorithm>

#include "ui/Form1.h"

namespace linelab {

bool Form1::Assign(ListId id, std::string_view text) {
    ListControl& list = L(id);
    if (text.size() > kMaxListText) return false;
    if (!list.editable && std::find(list.items.begin(), list.items.end(), text) == list.items.end())
        return false;
    if (list.text == text) return true;
    list.text = text;
    Notify(id);
    OnListChange(id);
    return true;
}

void Form1::Fill(ListId id, std::span<const std::string_view> items) {
    ListControl& list = L(id);
    list.items.assign(items.begin(), items.end());
    // Emptying a list empties its text; that alone is no change the handlers react to.
    list.text.clear();
    Notify(id);
}

bool Form1::AssignCheck(CheckId id, int value) {
    if (value != 0 && value != 1) return false;
    CheckControl& check = checks_[Index(id)];
    if (check.value == value) return true;
    check.value = value;
    Notify(id);
    OnCheckClick(id);
    return true;
}

bool Form1::AssignSlider(SliderId id, int value) {
    SliderControl& slider = sliders_[Index(id)];
    if (value < slider.min || value > slider.max) return false;
    if (slider.value == value) return true;
    slider.value = value;
    Notify(id);
    OnSliderChange(id);
    return true;
}

void Form1::SetSliderRange(SliderId id, int min, int max) {
    SliderControl& slider = sliders_[Index(id)];
    if (slider.min == min && slider.max == max) return;
    slider.min = min;
    slider.max = max;
    // A value outside the new range moves to its nearer end, which is a change of value.
    const int value = std::clamp(slider.value, min, max);
    const bool moved = value != slider.value;
    slider.value = value;
    Notify(id);
    if (moved) OnSliderChange(id);
}

void Form1::SetCaption(LabelId id, std::string_view caption) {
    LabelControl& label = labels_[Index(id)];
    if (label.caption == caption) return;
    label.caption = caption;
    Notify(id);
}

void Form1::SetCheckCaption(CheckId id, std::string_view caption, int32_t colour) {
    CheckControl& check = checks_[Index(id)];
    if (check.caption == caption && check.captionColour == colour) return;
    if (check.caption != caption) check.caption = std::string(caption);
    check.captionColour = colour;
    Notify(id);
}

namespace {

template <typename Table>
bool* VisibleFlag(Table& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return nullptr;
    return &table[static_cast<std::size_t>(index)].visible;
}

}  // namespace

void Form1::Show(ControlRef control, bool visible) {
    bool* flag = nullptr;
    switch (control.kind) {
        case ControlKind::List:
            flag = VisibleFlag(lists_, control.index);
            break;
        case ControlKind::CheckBox:
            flag = VisibleFlag(checks_, control.index);
            break;
        case ControlKind::Slider:
            flag = VisibleFlag(sliders_, control.index);
            break;
        case ControlKind::Label:
            flag = VisibleFlag(labels_, control.index);
            break;
        case ControlKind::Button:
            flag = &pause_.visible;
            break;
        case ControlKind::Picture:
            flag = VisibleFlag(pictures_, control.index);
            break;
        case ControlKind::Decoration:
            flag = VisibleFlag(decorations_, control.index);
            break;
        case ControlKind::Timer:
            break;  // a timer is never seen
    }
    if (flag == nullptr || *flag == visible) return;
    *flag = visible;
    Notify(control);
}

bool Form1::Visible(ControlRef control) const {
    auto flag = [&](const auto& table) {
        return control.index >= 0 && static_cast<std::size_t>(control.index) < table.size() &&
               table[static_cast<std::size_t>(control.index)].visible;
    };
    switch (control.kind) {
        case ControlKind::List:
            return flag(lists_);
        case ControlKind::CheckBox:
            return flag(checks_);
        case ControlKind::Slider:
            return flag(sliders_);
        case ControlKind::Label:
            return flag(labels_);
        case ControlKind::Button:
            return pause_.visible;
        case ControlKind::Picture:
            return flag(pictures_);
        case ControlKind::Decoration:
            return flag(decorations_);
        case ControlKind::Timer:
            return false;
    }
    return false;
}

void Form1::Notify(ControlRef control) {
    if (observer_ != nullptr) observer_->ControlChanged(control, NameOf(control));
}

void Form1::ClearPicture(PictureId id) {
    CanvasOf(id).Clear();
}

void Form1::RestartPics(int index) {
    if (index == 0) {
        ClearPicture(PictureId::picTxEye);
        ClearPicture(PictureId::picTxSpectrum);
    } else if (index == 1) {
        ClearPicture(PictureId::picRxEye);
        ClearPicture(PictureId::picRxSpectrum);
        ClearPicture(PictureId::picChannelEye);
        ClearPicture(PictureId::picChannelSpectrum);
    }
    engine_.RestartCounters(index);
}

}  // namespace linelab
