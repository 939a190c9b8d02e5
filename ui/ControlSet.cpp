// The primitives every handler is built from, and the properties every control has before
// the window loads. Each primitive changes one control, tells the observer, and (for the
// values that have handlers) hands the change on.
#include "ui/ControlSet.h"

#include "ui/PanelTable.h"

#include <algorithm>

namespace linelab {
namespace {

struct CaptionEntry {
    LabelId id;
    std::string_view caption;
};

constexpr std::array<CaptionEntry, 26> kFixedCaptions = {{
    {LabelId::Label1, "Simulation"},
    {LabelId::lblPreCoding, "Pre-Coding"},
    {LabelId::lblCoding, "Coding"},
    {LabelId::lblModulation, "Modulation"},
    {LabelId::lblModulationPC, "%"},
    {LabelId::lblTxFilter, "Tx Filter"},
    {LabelId::lblPCkHz0, "kHz"},
    {LabelId::lblPCkHz1, "kHz"},
    {LabelId::lblHighPass, "High Pass"},
    {LabelId::lblHPkHz, "kHz"},
    {LabelId::lblLowPass, "Low Pass"},
    {LabelId::lblLPkHz, "kHz"},
    {LabelId::lblNoise, "Noise"},
    {LabelId::lblNoiseW, "W/kHz"},
    {LabelId::lblMultipath, "Multipath"},
    {LabelId::lblMultipathDelay, "baud"},
    {LabelId::lblMultipathPC, "%"},
    {LabelId::lblRxFilter, "Rx Filter"},
    {LabelId::lblDemod, "Demod"},
    {LabelId::lblDemodPC, "%"},
    {LabelId::lblDecode, "Decode"},
    {LabelId::lblPostCoding, "Post-Coding"},
    {LabelId::lblOutput, "Data"},
    {LabelId::lblBER, "BER"},
    {LabelId::lblAsTransmitter, "As Transmitter"},
    {LabelId::lblDiscriminator, "Discriminator"},
}};

struct SliderEntry {
    SliderId id;
    bool vertical;
    int min, max, smallChange, largeChange, value;
};

// Page steps the window leaves open are ours: a fifth of the range for the eye scale and
// the threshold, one step for the zoom.
constexpr std::array<SliderEntry, CountOf<SliderId>()> kSliders = {{
    {SliderId::hscDataZoom, false, 1, 4, 1, 1, 1},
    {SliderId::hscDataScroll, false, 0, 32767, 1, 4, 0},
    {SliderId::vscSpectrumRange, true, 1, 200, 5, 20, 1},
    {SliderId::vscTxEyeScale, true, 0, 100, 4, 20, 0},
    {SliderId::vscThreshold, true, 0, 100, 4, 20, 0},
    {SliderId::hscSample, false, -32, 32, 1, 4, 0},
}};

// Panel sizes in pixels for the model's own canvases (a view attaches canvases of its
// own size): long low strips, and eye and spectrum panels of one size each.

bool IsFixedList(ListId id) {
    switch (id) {
        case ListId::cmbData:
        case ListId::cmbPreCode0:
        case ListId::cmbPreCode1:
        case ListId::cmbCode0:
        case ListId::cmbCode1:
        case ListId::cmbMod0:
        case ListId::cmbMod1:
        case ListId::cmbTxFilter0:
        case ListId::cmbTxFilter1:
            return true;
        default:
            return false;
    }
}

}  // namespace

ControlSet::ControlSet() {
    for (int i = 0; i < CountOf<ListId>(); ++i) {
        lists_[i].name = NameOf(static_cast<ListId>(i));
        lists_[i].editable = !IsFixedList(static_cast<ListId>(i));
    }
    for (int i = 0; i < CountOf<DecorationId>(); ++i)
        decorations_[i].name = NameOf(static_cast<DecorationId>(i));
    pause_.name = NameOf(kPauseButton);
    timer_.name = NameOf(kTimer);
    InitCaptions();
    InitSliders();
    InitPictures();
}

void ControlSet::InitCaptions() {
    const std::string zero = "0";  // the frequency labels read 0 until a scene sets them
    for (int i = 0; i < CountOf<LabelId>(); ++i) {
        labels_[i].name = NameOf(static_cast<LabelId>(i));
        labels_[i].caption = zero;
    }
    for (const CaptionEntry& entry : kFixedCaptions)
        labels_[Index(entry.id)].caption = entry.caption;
    for (int i = 0; i < CountOf<CheckId>(); ++i)
        checks_[i].name = NameOf(static_cast<CheckId>(i));
    checks_[Index(CheckId::chkMemory)].caption = "Memory";
    checks_[Index(CheckId::chkInvert)].caption = "Invert";
    checks_[Index(CheckId::chkLinear)].caption = "Log Plot";
    checks_[Index(CheckId::chkFixedNoise)].caption = "Fixed N0";
}

void ControlSet::InitSliders() {
    for (const SliderEntry& e : kSliders) {
        sliders_[Index(e.id)] = {NameOf(e.id),  e.vertical,    e.min,   e.max,
                                 e.smallChange, e.largeChange, e.value, true};
    }
}

void ControlSet::InitPictures() {
    for (const PanelDescriptor& panel : kPanelTable) {
        const std::size_t i = Index(panel.picture);
        const auto [width, height] = PanelPixels(panel.kind);
        ownCanvases_[i] =
            std::make_unique<NullCanvas>(width * kUnitsPerPixel, height * kUnitsPerPixel);
        pictures_[i] = {panel.pictureName, true, width, height, ownCanvases_[i].get()};
    }
}

bool ControlSet::Assign(ListId id, std::string_view text) {
    ListControl& list = lists_[Index(id)];
    if (text.size() > kMaxListText) return false;
    if (!list.editable && std::find(list.items.begin(), list.items.end(), text) == list.items.end())
        return false;
    if (list.text == text) return true;
    list.text = text;
    Notify(id);
    if (handlers_ != nullptr) handlers_->OnListChange(id);
    return true;
}

void ControlSet::Fill(ListId id, std::span<const std::string_view> items) {
    ListControl& list = lists_[Index(id)];
    list.items.assign(items.begin(), items.end());
    // Emptying a list empties its text; that alone is no change the handlers react to.
    list.text.clear();
    Notify(id);
}

bool ControlSet::AssignCheck(CheckId id, int value) {
    if (value != 0 && value != 1) return false;
    CheckControl& check = checks_[Index(id)];
    if (check.value == value) return true;
    check.value = value;
    Notify(id);
    if (handlers_ != nullptr) handlers_->OnCheckClick(id);
    return true;
}

bool ControlSet::AssignSlider(SliderId id, int value) {
    SliderControl& slider = sliders_[Index(id)];
    if (value < slider.min || value > slider.max) return false;
    if (slider.value == value) return true;
    slider.value = value;
    Notify(id);
    if (handlers_ != nullptr) handlers_->OnSliderChange(id);
    return true;
}

void ControlSet::SetSliderRange(SliderId id, int min, int max) {
    SliderControl& slider = sliders_[Index(id)];
    if (slider.min == min && slider.max == max) return;
    slider.min = min;
    slider.max = max;
    // A value outside the new range moves to its nearer end, which is a change of value.
    const int value = std::clamp(slider.value, min, max);
    const bool moved = value != slider.value;
    slider.value = value;
    Notify(id);
    if (moved && handlers_ != nullptr) handlers_->OnSliderChange(id);
}

void ControlSet::SetCaption(LabelId id, std::string_view caption) {
    LabelControl& label = labels_[Index(id)];
    if (label.caption == caption) return;
    label.caption = caption;
    Notify(id);
}

void ControlSet::SetCheckCaption(CheckId id, std::string_view caption, int32_t colour) {
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

void ControlSet::Show(ControlRef control, bool visible) {
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

bool ControlSet::Visible(ControlRef control) const {
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

void ControlSet::Notify(ControlRef control) {
    if (observer_ != nullptr) observer_->ControlChanged(control, NameOf(control));
}

bool ControlSet::PickItem(ListId id, int index) {
    ListControl& list = lists_[Index(id)];
    if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) return false;
    if (list.text != list.items[static_cast<std::size_t>(index)]) {
        list.text = list.items[static_cast<std::size_t>(index)];
        Notify(id);
    }
    // A click runs the handler whether or not the choice differs from the last one.
    if (handlers_ != nullptr) handlers_->OnListChange(id);
    return true;
}

void ControlSet::ShowItem(ListId id, std::size_t index) {
    ListControl& list = lists_[Index(id)];
    if (index >= list.items.size() || list.text == list.items[index]) return;
    list.text = list.items[index];
    Notify(id);
}

void ControlSet::SetSliderSteps(SliderId id, int smallChange, int largeChange) {
    SliderControl& slider = sliders_[Index(id)];
    if (slider.smallChange == smallChange && slider.largeChange == largeChange) return;
    slider.smallChange = smallChange;
    slider.largeChange = largeChange;
    Notify(id);
}

void ControlSet::SetPauseCaption(std::string_view caption) {
    if (pause_.caption == caption) return;
    pause_.caption = caption;
    Notify(kPauseButton);
}

void ControlSet::SetTimer(bool enabled, int interval) {
    if (timer_.enabled == enabled && timer_.interval == interval) return;
    timer_.enabled = enabled;
    timer_.interval = interval;
    if (observer_ != nullptr) observer_->TimerChanged(timer_);
}

void ControlSet::AttachCanvas(PictureId id, Canvas* canvas) {
    PictureControl& picture = pictures_[Index(id)];
    picture.canvas = canvas != nullptr ? canvas : ownCanvases_[Index(id)].get();
}

void ControlSet::TakeValues(ControlSet& fresh) {
    lists_ = std::move(fresh.lists_);
    checks_ = std::move(fresh.checks_);
    sliders_ = std::move(fresh.sliders_);
    labels_ = std::move(fresh.labels_);
    pause_ = fresh.pause_;
    decorations_ = fresh.decorations_;
    timer_ = fresh.timer_;
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        Canvas* canvas = pictures_[i].canvas;
        pictures_[i] = fresh.pictures_[i];
        pictures_[i].canvas = canvas;
        canvas->Clear();
    }
    if (observer_ == nullptr) return;
    for (ControlRef control : AllControls())
        Notify(control);
    observer_->TimerChanged(timer_);
}

}  // namespace linelab
