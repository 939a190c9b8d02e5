// The model's public actions: by id for the view, by name for the batch tool.

#include "ui/Form1.h"

namespace linelab {

Form1::Form1() {
    FormLoad();
}

Form1::~Form1() = default;

void Form1::AttachCanvas(PictureId id, Canvas* canvas) {
    PictureControl& picture = pictures_[Index(id)];
    picture.canvas = canvas != nullptr ? canvas : ownCanvases_[Index(id)].get();
}

bool Form1::SetText(ListId id, std::string_view text) {
    return Assign(id, text);
}

bool Form1::PickItem(ListId id, int index) {
    ListControl& list = L(id);
    if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) return false;
    if (list.text != list.items[static_cast<std::size_t>(index)]) {
        list.text = list.items[static_cast<std::size_t>(index)];
        Notify(id);
    }
    // A click runs the handler whether or not the choice differs from the last one.
    OnListChange(id);
    return true;
}

bool Form1::SetCheckValue(CheckId id, int value) {
    return AssignCheck(id, value);
}

bool Form1::SetSliderValue(SliderId id, int value) {
    return AssignSlider(id, value);
}

bool Form1::ApplyScene(int index) {
    return PickItem(ListId::cmbScene, index);
}

namespace {

template <typename Id>
std::optional<Id> Find(std::string_view name, ControlKind kind) {
    const auto control = FindControl(name);
    if (!control || control->kind != kind) return std::nullopt;
    return static_cast<Id>(control->index);
}

}  // namespace

bool Form1::SetText(std::string_view name, std::string_view text) {
    const auto id = Find<ListId>(name, ControlKind::List);
    return id && SetText(*id, text);
}

bool Form1::PickItem(std::string_view name, int index) {
    const auto id = Find<ListId>(name, ControlKind::List);
    return id && PickItem(*id, index);
}

bool Form1::SetValue(std::string_view name, int value) {
    if (const auto check = Find<CheckId>(name, ControlKind::CheckBox))
        return SetCheckValue(*check, value);
    if (const auto slider = Find<SliderId>(name, ControlKind::Slider))
        return SetSliderValue(*slider, value);
    return false;
}

bool Form1::Click(std::string_view name) {
    const auto control = FindControl(name);
    if (!control) return false;
    switch (control->kind) {
        case ControlKind::Picture:
            ClickPicture(static_cast<PictureId>(control->index));
            return true;
        case ControlKind::Button:
            ClickPause();
            return true;
        case ControlKind::CheckBox: {
            // A click on a check box turns it over.
            const auto id = static_cast<CheckId>(control->index);
            return SetCheckValue(id, 1 - Check(id).value);
        }
        case ControlKind::Label:
            if (static_cast<LabelId>(control->index) != LabelId::lblBER) return false;
            ClickBer();
            return true;
        default:
            return false;
    }
}

}  // namespace linelab
