// The model's start-up, its public actions by name for the batch tool, and the window's
// own actions beside the handlers (File > Reset, the scene box's own text).
#include "ui/Form1.h"

#include <memory>

namespace linelab {

Form1::Form1() {
    controls_.SetHandlers(&cascades_);
    cascades_.LoadLists();
    cascades_.ApplyScene(0);
    FrameViews& views = simulation_.Views();
    views.RestartSpectrum(SpectrumPanel::Tx);
    views.RestartSpectrum(SpectrumPanel::Rx);
    views.RestartSpectrum(SpectrumPanel::Channel);
    simulation_.Link().RestartBer();
    views.SetTxEyeScale(Slider(SliderId::vscTxEyeScale).value);
}

// A fresh model is built exactly as at launch and its state taken over, so a reset can never
// drift from what start-up does. Only the canvases the view attached stay.
void Form1::Reset() {
    auto fresh = std::make_unique<Form1>();
    simulation_.TakeState(fresh->simulation_);
    scenes_.SetIndex(fresh->scenes_.Index());
    controls_.TakeValues(fresh->controls_);
}

void Form1::SetViewOption(ViewOption option, bool on) {
    if (view_[option] == on) return;
    view_.Set(option, on);
    if (FormObserver* observer = controls_.Observer()) observer->ViewOptionChanged(option, on);
}

bool Form1::ShowSceneName() {
    const ListControl& scene = List(ListId::cmbScene);
    const auto index = static_cast<std::size_t>(SceneIndex());
    if (scene.ListIndex() >= 0 || index >= scene.items.size() || scene.text == scene.items[index])
        return false;
    controls_.ShowItem(ListId::cmbScene, index);
    return true;
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
