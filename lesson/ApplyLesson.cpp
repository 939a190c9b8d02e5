#include <algorithm>
#include <cstdint>
#include <limits>

#include "lesson/Lesson.h"
#include "lesson/OneLine.h"

namespace linelab {
namespace {

using Problem = std::optional<std::string>;

// A value as it stands in the file, short enough for a one-line message.
std::string Quoted(const LessonJson& value) {
    if (value.is_string()) return QuotedForMessage(value.get_ref<const std::string&>());
    return CutForMessage(value.dump(-1, ' ', false, LessonJson::error_handler_t::replace));
}

// A JSON integer as a signed 64-bit number, or nothing. The library compares an unsigned
// number with a signed one by converting it, so 2^64-1 would pass as -1: the range is
// checked here, before any conversion.
std::optional<std::int64_t> WholeNumber(const LessonJson& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(number);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    return std::nullopt;
}

std::string ItemChoices(const ListControl& list) {
    std::string choices;
    for (const std::string& item : list.items)
        choices += (choices.empty() ? "" : ", ") + Quoted(LessonJson(item));
    return choices.empty() ? "none (the list is empty)" : choices;
}

Problem CheckHeader(const LessonJson& lesson) {
    if (!lesson.is_object()) return "not a lesson: the file holds no JSON object";
    const auto format = lesson.find("format");
    if (format == lesson.end() || *format != kLessonFormat) {
        return "not a lesson: \"format\" must be \"" + std::string(kLessonFormat) + "\"";
    }
    const auto version = lesson.find("version");
    const auto number = version == lesson.end() ? std::nullopt : WholeNumber(*version);
    if (version != lesson.end() && version->is_number_unsigned() && !number) {
        return "lesson version " + version->dump() + " is newer than this program reads (" +
               std::to_string(kLessonVersion) + "); open it with a newer LineLab";
    }
    if (!number || *number < 1) return "\"version\" must be a whole number from 1";
    if (*number > kLessonVersion) {
        return "lesson version " + version->dump() + " is newer than this program reads (" +
               std::to_string(kLessonVersion) + "); open it with a newer LineLab";
    }
    for (const auto& [key, value] : lesson.items()) {
        constexpr std::array<std::string_view, 11> kKeys = {
            "format", "version", "scene", "lists",        "checks", "sliders",
            "run",    "view",    "title", "introduction", "steps"};
        if (std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end())
            return "unknown entry " + Quoted(LessonJson(key));
    }
    return std::nullopt;
}

// Every name of the group must be a control of the kind the group holds.
Problem CheckNames(const LessonJson& lesson, std::string_view group, ControlKind kind) {
    const auto it = lesson.find(group);
    if (it == lesson.end()) return std::nullopt;
    const std::string quoted = Quoted(LessonJson(std::string(group)));
    if (!it->is_object()) return quoted + " must be an object";
    for (const auto& [name, value] : it->items()) {
        const auto control = FindControl(name);
        if (!control || control->kind != kind || name == "cmbScene")
            return quoted + ": unknown control " + Quoted(LessonJson(name));
    }
    return std::nullopt;
}

Problem ApplyScene(Form1& form, const LessonJson& lesson, bool required) {
    const auto scene = lesson.find("scene");
    if (scene == lesson.end() && !required) return std::nullopt;
    const ListControl& list = form.List(ListId::cmbScene);
    if (scene == lesson.end() || !scene->is_string()) {
        return "\"scene\" must be one of " + ItemChoices(list);
    }
    const auto item = std::find(list.items.begin(), list.items.end(), scene->get<std::string>());
    if (item == list.items.end()) {
        return "scene " + Quoted(*scene) + " is not one of " + ItemChoices(list);
    }
    form.ApplyScene(static_cast<int>(item - list.items.begin()));
    return std::nullopt;
}

// A text equal to an item is a pick (a click); any other is typed, which a fixed list
// refuses. A text the cascades have already put there needs nothing.
Problem ApplyList(Form1& form, ListId id, const LessonJson& value) {
    const ListControl& list = form.List(id);
    const std::string name(list.name);
    if (!value.is_string()) return name + ": the text must be a JSON string, not " + Quoted(value);
    const std::string& text = value.get_ref<const std::string&>();
    const auto item = std::find(list.items.begin(), list.items.end(), text);
    if (item != list.items.end()) {
        form.PickItem(id, static_cast<int>(item - list.items.begin()));
    } else if (text == list.text) {
        return std::nullopt;
    } else if (!list.editable) {
        return name + ": " + Quoted(value) + " is not one of its items; the items are " +
               ItemChoices(list);
    } else if (text.size() > kMaxListText || !form.SetText(id, text)) {
        return name + ": a text of " + std::to_string(text.size()) + " bytes is longer than the " +
               std::to_string(kMaxListText) + " a box takes";
    }
    return std::nullopt;
}

Problem ApplyLists(Form1& form, const LessonJson& lesson) {
    const auto lists = lesson.find("lists");
    if (lists == lesson.end()) return std::nullopt;
    for (ListId id : LessonListOrder()) {
        const auto value = lists->find(std::string(form.List(id).name));
        if (value == lists->end()) continue;
        if (auto problem = ApplyList(form, id, *value)) return problem;
    }
    return std::nullopt;
}

Problem ApplyChecks(Form1& form, const LessonJson& lesson) {
    const auto checks = lesson.find("checks");
    if (checks == lesson.end()) return std::nullopt;
    for (int i = 0; i < CountOf<CheckId>(); ++i) {
        const auto id = static_cast<CheckId>(i);
        const auto value = checks->find(std::string(form.Check(id).name));
        if (value == checks->end()) continue;
        const auto number = WholeNumber(*value);
        if (!number || (*number != 0 && *number != 1)) {
            return std::string(form.Check(id).name) + ": takes 0 or 1, not " + Quoted(*value);
        }
        form.SetCheckValue(id, static_cast<int>(*number));
    }
    return std::nullopt;
}

Problem ApplySliders(Form1& form, const LessonJson& lesson) {
    const auto sliders = lesson.find("sliders");
    if (sliders == lesson.end()) return std::nullopt;
    for (int i = 0; i < CountOf<SliderId>(); ++i) {
        const auto id = static_cast<SliderId>(i);
        const SliderControl& slider = form.Slider(id);
        const auto value = sliders->find(std::string(slider.name));
        if (value == sliders->end()) continue;
        const auto number = WholeNumber(*value);
        if (!number || *number < slider.min || *number > slider.max) {
            return std::string(slider.name) + ": takes a whole number from " +
                   std::to_string(slider.min) + " to " + std::to_string(slider.max) + ", not " +
                   Quoted(*value);
        }
        form.SetSliderValue(id, static_cast<int>(*number));
    }
    return std::nullopt;
}

// The View options: each named one 0 or 1; checked whole before any is set.
Problem ApplyView(Form1& form, const LessonJson& lesson) {
    const auto view = lesson.find("view");
    if (view == lesson.end()) return std::nullopt;
    if (!view->is_object()) return "\"view\" must be an object";
    for (const auto& [key, value] : view->items()) {
        if (!FindViewOption(key)) {
            std::string choices;
            for (const ViewOptionRow& row : kViewOptions)
                choices += (choices.empty() ? "" : ", ") + Quoted(LessonJson(std::string(row.key)));
            return "\"view\": unknown option " + Quoted(LessonJson(key)) + "; the options are " +
                   choices;
        }
        const auto number = WholeNumber(value);
        if (!number || (*number != 0 && *number != 1))
            return "\"view\": " + key + " takes 0 or 1, not " + Quoted(value);
    }
    for (const auto& [key, value] : view->items())
        form.SetViewOption(*FindViewOption(key), value.get<std::int64_t>() == 1);
    return std::nullopt;
}

// cmdPause's clicks cycle running -> stopped -> slow -> running.
Problem ApplyRunState(Form1& form, const LessonJson& lesson) {
    const auto run = lesson.find("run");
    if (run == lesson.end()) return std::nullopt;
    constexpr std::array<std::string_view, 3> kStates = {"running", "slow", "stopped"};
    if (!run->is_string() ||
        std::find(kStates.begin(), kStates.end(), run->get<std::string>()) == kStates.end()) {
        return "\"run\" must be \"running\", \"slow\" or \"stopped\", not " + Quoted(*run);
    }
    for (int click = 0; click < 3 && *run != RunStateName(form); ++click)
        form.ClickPause();
    return std::nullopt;
}

// The settings a lesson or a step holds, in the order a lesson sets them.
Problem ApplySettings(Form1& form, const LessonJson& settings, bool sceneRequired,
                      LessonRunState run) {
    if (auto problem = CheckNames(settings, "lists", ControlKind::List)) return problem;
    if (auto problem = CheckNames(settings, "checks", ControlKind::CheckBox)) return problem;
    if (auto problem = CheckNames(settings, "sliders", ControlKind::Slider)) return problem;
    if (auto problem = ApplyScene(form, settings, sceneRequired)) return problem;
    if (auto problem = ApplyLists(form, settings)) return problem;
    if (auto problem = ApplyChecks(form, settings)) return problem;
    if (auto problem = ApplySliders(form, settings)) return problem;
    if (auto problem = ApplyView(form, settings)) return problem;
    if (run == LessonRunState::Apply) return ApplyRunState(form, settings);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ApplyLesson(Form1& form, const LessonJson& lesson, LessonRunState run) {
    if (auto problem = CheckHeader(lesson)) return problem;
    return ApplySettings(form, lesson, true, run);
}

std::optional<std::string> ApplyStepSettings(Form1& form, const LessonJson& step,
                                             LessonRunState run) {
    return ApplySettings(form, step, false, run);
}

std::string QuotedLessonValue(const LessonJson& value) {
    return Quoted(value);
}

}  // namespace linelab
