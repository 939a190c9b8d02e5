#include "tools/batch/ControlDump.h"

namespace linelab {
namespace {

void WriteList(JsonWriter& json, const ListControl& list) {
    json.Key("text");
    json.String(list.text);
    json.Key("items");
    json.BeginArray();
    for (const std::string& item : list.items)
        json.String(item);
    json.EndArray();
}

void WriteCheck(JsonWriter& json, const CheckControl& check) {
    json.Key("value");
    json.Integer(check.value);
    json.Key("caption");
    json.String(check.caption);
}

void WriteSlider(JsonWriter& json, const SliderControl& slider) {
    json.Key("value");
    json.Integer(slider.value);
    json.Key("min");
    json.Integer(slider.min);
    json.Key("max");
    json.Integer(slider.max);
}

void WriteCaption(JsonWriter& json, std::string_view caption) {
    json.Key("caption");
    json.String(caption);
}

void WriteTimer(JsonWriter& json, const TimerControl& timer) {
    json.Key("enabled");
    json.Bool(timer.enabled);
    json.Key("interval");
    json.Integer(timer.interval);
}

}  // namespace

void WriteControl(JsonWriter& json, const Form1& form, ControlRef control) {
    json.BeginObject();
    if (control.kind == ControlKind::Timer) {
        WriteTimer(json, form.Timer());
        json.EndObject();
        return;
    }
    json.Key("visible");
    json.Bool(form.Visible(control));
    switch (control.kind) {
        case ControlKind::List:
            WriteList(json, form.List(static_cast<ListId>(control.index)));
            break;
        case ControlKind::CheckBox:
            WriteCheck(json, form.Check(static_cast<CheckId>(control.index)));
            break;
        case ControlKind::Slider:
            WriteSlider(json, form.Slider(static_cast<SliderId>(control.index)));
            break;
        case ControlKind::Label:
            WriteCaption(json, form.Label(static_cast<LabelId>(control.index)).caption);
            break;
        case ControlKind::Button:
            WriteCaption(json, form.PauseButton().caption);
            break;
        default:
            break;  // pictures and the layout's lines and shapes have only their visibility
    }
    json.EndObject();
}

void WriteAllControls(JsonWriter& json, const Form1& form) {
    json.BeginObject();
    const auto names = ControlNames();
    const auto controls = AllControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        json.Key(names[i]);
        WriteControl(json, form, controls[i]);
    }
    json.EndObject();
}

}  // namespace linelab
