#include "tools/batch/ApplyAssignment.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "tools/batch/JsonString.h"

namespace linelab {
namespace {

std::string ControlRefusal(std::string_view control, std::string_view problem) {
    return "linelab-batch: " + std::string(control) + ": " + std::string(problem);
}

std::string ItemChoices(const ListControl& list) {
    std::string choices;
    for (const std::string& item : list.items) {
        if (!choices.empty()) choices += ", ";
        choices += QuotedForMessage(item);
    }
    return choices.empty() ? "none (the list is empty)" : choices;
}

std::optional<std::string> ApplyList(Form1& form, ListId id, std::string_view text) {
    const ListControl& list = form.List(id);
    const auto item = std::find(list.items.begin(), list.items.end(), text);
    if (item != list.items.end()) {
        form.PickItem(id, static_cast<int>(item - list.items.begin()));
        return std::nullopt;
    }
    if (IsFixedList(form, id)) {
        return ControlRefusal(list.name, QuotedForMessage(text) +
                                             " is not one of its items; the items are " +
                                             ItemChoices(list));
    }
    if (text.size() > kMaxListText) {
        return ControlRefusal(
            list.name, "a text of " + std::to_string(text.size()) + " bytes is longer than the " +
                           std::to_string(kMaxListText) +
                           " a box takes; any shorter text, for example " + ItemChoices(list));
    }
    form.SetText(id, text);
    return std::nullopt;
}

std::optional<std::string> ApplyCheck(Form1& form, CheckId id, std::string_view text) {
    if (text != "0" && text != "1") {
        return ControlRefusal(form.Check(id).name, "takes 0 or 1, not " + QuotedForMessage(text));
    }
    form.SetCheckValue(id, text == "1" ? 1 : 0);
    return std::nullopt;
}

// A whole number in decimal digits with an optional sign, nothing else.
std::optional<long long> WholeNumber(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

std::optional<std::string> ApplySlider(Form1& form, SliderId id, std::string_view text) {
    const SliderControl& slider = form.Slider(id);
    const auto value = WholeNumber(text);
    if (!value || *value < slider.min || *value > slider.max) {
        return ControlRefusal(slider.name,
                              "takes a whole number from " + std::to_string(slider.min) + " to " +
                                  std::to_string(slider.max) + ", not " + QuotedForMessage(text));
    }
    form.SetSliderValue(id, static_cast<int>(*value));
    return std::nullopt;
}

std::string AssignableChoices() {
    std::string choices;
    for (std::string_view name : AssignableNames()) {
        if (!choices.empty()) choices += ' ';
        choices += name;
    }
    return choices;
}

}  // namespace

std::span<const std::string_view> AssignableNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> result;
        const auto all = ControlNames();
        const auto controls = AllControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlKind kind = controls[i].kind;
            if (kind == ControlKind::List || kind == ControlKind::CheckBox ||
                kind == ControlKind::Slider)
                result.push_back(all[i]);
        }
        return result;
    }();
    return names;
}

bool IsFixedList(const Form1& form, ListId id) {
    return id == ListId::cmbScene || !form.List(id).editable;
}

std::optional<std::string> ApplyAssignment(Form1& form, const Assignment& assignment) {
    const auto control = FindControl(assignment.control);
    if (!control) {
        return "linelab-batch: unknown control " + QuotedForMessage(assignment.control) +
               "; the controls an assignment sets are " + AssignableChoices();
    }
    switch (control->kind) {
        case ControlKind::List:
            return ApplyList(form, static_cast<ListId>(control->index), assignment.text);
        case ControlKind::CheckBox:
            return ApplyCheck(form, static_cast<CheckId>(control->index), assignment.text);
        case ControlKind::Slider:
            return ApplySlider(form, static_cast<SliderId>(control->index), assignment.text);
        default:
            return ControlRefusal(assignment.control,
                                  "is not a list, check box or slider and takes no value; the "
                                  "controls an assignment sets are " +
                                      AssignableChoices());
    }
}

}  // namespace linelab
