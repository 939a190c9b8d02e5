#include "lesson/GuidedLesson.h"

#include <algorithm>
#include <array>
#include <memory>

#include "lesson/OneLine.h"

namespace linelab {
namespace {

using Problem = std::optional<std::string>;

constexpr std::array<std::string_view, 4> kStepTexts = {"title", "text", "question", "answer"};
constexpr std::array<std::string_view, 6> kSettingGroups = {"scene",   "lists", "checks",
                                                            "sliders", "view",  "run"};
constexpr std::array<std::string_view, 4> kControlGroups = {"lists", "checks", "sliders", "view"};

// Characters, not bytes: the parser has made sure the text is valid UTF-8.
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A text of the lesson: a JSON string, within its limit, of plain text (new lines and tabs
// are its only control characters; anything else would reach the pane as an odd glyph or
// move the cursor of a terminal).
Problem CheckText(const LessonJson& holder, std::string_view key, std::size_t limit,
                  std::string& out) {
    const auto it = holder.find(key);
    if (it == holder.end()) return std::nullopt;
    const std::string quotedKey = QuotedForMessage(key);
    if (!it->is_string()) return quotedKey + " must be a text, not " + QuotedLessonValue(*it);
    const std::string& text = it->get_ref<const std::string&>();
    if (const std::size_t count = Characters(text); count > limit) {
        return quotedKey + " has " + std::to_string(count) + " characters; it may have at most " +
               std::to_string(limit);
    }
    const auto control = std::find_if(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F;
    });
    if (control != text.end()) {
        return quotedKey + " holds a control character at character " +
               std::to_string(Characters(std::string_view(
                                  text.data(), static_cast<std::size_t>(control - text.begin()))) +
                              1) +
               "; a text takes new lines and tabs only";
    }
    out = text;
    return std::nullopt;
}

std::size_t LimitOf(std::string_view key) {
    return key == "title" ? kMaxLessonTitleChars : kMaxLessonTextChars;
}

bool HoldsSettings(const LessonJson& step) {
    return std::any_of(kSettingGroups.begin(), kSettingGroups.end(), [&step](std::string_view g) {
        const auto it = step.find(g);
        return it != step.end() && !(it->is_object() && it->empty());
    });
}

// A step's shape and texts; its settings are checked as they are applied.
Problem ReadStep(const LessonJson& json, LessonStep& step) {
    if (!json.is_object()) return std::string("must be an object, not ") + QuotedLessonValue(json);
    for (const auto& [key, value] : json.items()) {
        const bool text = std::find(kStepTexts.begin(), kStepTexts.end(), key) != kStepTexts.end();
        const bool group =
            std::find(kSettingGroups.begin(), kSettingGroups.end(), key) != kSettingGroups.end();
        if (!text && !group) return "unknown entry " + QuotedLessonValue(LessonJson(key));
    }
    std::array<std::string*, 4> fields = {&step.title, &step.text, &step.question, &step.answer};
    for (std::size_t i = 0; i < kStepTexts.size(); ++i)
        if (auto problem = CheckText(json, kStepTexts[i], LimitOf(kStepTexts[i]), *fields[i]))
            return problem;
    if (!step.answer.empty() && step.question.empty())
        return "has an answer but no question; the answer stays hidden until its question is asked";
    if (step.title.empty() && step.text.empty() && step.question.empty() && !HoldsSettings(json))
        return "holds nothing: give it a title, a text, a question or settings to change";
    return std::nullopt;
}

std::string StepCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " step" : " steps");
}

std::string StepName(std::size_t index) {
    return "step " + std::to_string(index + 1);
}

// A fresh model given the lesson's own settings and the changes of the steps so far, as the
// reader gives them.
std::unique_ptr<Form1> Replay(const LessonJson& start, const std::vector<LessonJson>& changes) {
    auto form = std::make_unique<Form1>();
    (void)ApplyLesson(*form, start);
    for (const LessonJson& step : changes)
        (void)ApplyStepSettings(*form, step);
    return form;
}

// `changes` with every entry of `more` added (or replaced).
void Merge(LessonJson& changes, const LessonJson& more) {
    for (const auto& [key, value] : more.items()) {
        if (value.is_object() && changes.contains(key)) {
            for (const auto& [name, entry] : value.items())
                changes[key][name] = entry;
        } else {
            changes[key] = value;
        }
    }
}

// Whatever a step sets, a model might reach it another way than a user did: a cascade may
// overwrite a value the step does not name (the receiver follows the transmitter), a scene
// resets what the step before had set. The changes are tried on a replay of the steps before
// and widened with what came out differently; last, every setting is named.
Problem ChangesReaching(const LessonJson& start, const std::vector<LessonJson>& before,
                        std::unique_ptr<Form1>& scratch, const LessonJson& previous,
                        const LessonJson& target, LessonJson& changes) {
    changes = StepChanges(previous, target);
    constexpr int kAttempts = 4;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) scratch = Replay(start, before);
        if (auto problem = ApplyStepSettings(*scratch, changes)) return problem;
        const LessonJson reached = CollectLesson(*scratch);
        if (reached == target) return std::nullopt;
        if (attempt == kAttempts - 2) {
            changes = StepChanges(LessonJson::object(), target);
        } else {
            Merge(changes, StepChanges(reached, target));
        }
    }
    return "its settings cannot be reached from the step before's";
}

}  // namespace

LessonJson StepChanges(const LessonJson& before, const LessonJson& after) {
    LessonJson changes = LessonJson::object();
    for (std::string_view key : kSettingGroups) {
        const auto now = after.find(key);
        if (now == after.end()) continue;
        const auto was = before.find(key);
        const bool group =
            std::find(kControlGroups.begin(), kControlGroups.end(), key) != kControlGroups.end();
        if (!group || was == before.end() || !was->is_object()) {
            if (was == before.end() || *was != *now) changes[std::string(key)] = *now;
            continue;
        }
        LessonJson differing = LessonJson::object();
        for (const auto& [name, value] : now->items()) {
            const auto old = was->find(name);
            if (old == was->end() || *old != value) differing[name] = value;
        }
        if (!differing.empty()) changes[std::string(key)] = differing;
    }
    return changes;
}

std::optional<std::string> ReadGuidedLesson(const Form1& form, const LessonJson& json,
                                            GuidedLesson& lesson) {
    GuidedLesson read;
    auto scratch = std::make_unique<Form1>();
    if (json.is_object() && !json.contains("view")) {
        for (const ViewOptionRow& option : kViewOptions)
            scratch->SetViewOption(option.id, form.View()[option.id]);
    }
    if (auto problem = ApplyLesson(*scratch, json)) return problem;
    if (auto problem = CheckText(json, "title", kMaxLessonTitleChars, read.title)) return problem;
    if (auto problem = CheckText(json, "introduction", kMaxLessonTextChars, read.introduction))
        return problem;
    read.start = CollectLesson(*scratch);
    const auto steps = json.find("steps");
    if (steps != json.end()) {
        if (!steps->is_array()) return "\"steps\" must be a list of steps";
        if (steps->size() > kMaxLessonSteps) {
            return "the lesson has " + std::to_string(steps->size()) +
                   " steps; a lesson may have at most " + std::to_string(kMaxLessonSteps);
        }
        // Every step's shape first: a fault in the last is found before any is applied.
        read.steps.resize(steps->size());
        for (std::size_t i = 0; i < steps->size(); ++i)
            if (auto problem = ReadStep((*steps)[i], read.steps[i]))
                return StepName(i) + ": " + *problem;
        for (std::size_t i = 0; i < steps->size(); ++i) {
            if (auto problem = ApplyStepSettings(*scratch, (*steps)[i]))
                return StepName(i) + ": " + *problem;
            read.steps[i].settings = CollectLesson(*scratch);
        }
    }
    lesson = std::move(read);
    return std::nullopt;
}

std::optional<std::string> ShowLessonStep(Form1& form, const GuidedLesson& lesson,
                                          std::size_t position, LessonRunState run) {
    if (position >= lesson.Positions()) {
        return "the lesson has " + StepCount(lesson.steps.size()) + "; there is no step " +
               std::to_string(position);
    }
    // A handler runs only when its control changes, and some undo what others did (a scene
    // resets the scroll range the zoom set). Taking the form back to the start-up values
    // first makes the same handlers run as when the lesson was read. The View options have
    // no handlers to run: they are only set, once.
    LessonJson startup = CollectLesson(Form1());
    startup.erase("view");
    if (auto problem = ApplyLesson(form, startup, LessonRunState::Ignore)) return problem;
    return ApplyLesson(form, lesson.SettingsAt(position), run);
}

void AddLessonStep(GuidedLesson& lesson, const Form1& form, std::size_t position,
                   std::string title) {
    LessonJson present = CollectLesson(form);
    if (lesson.steps.empty()) lesson.start = present;
    position = std::min(position, lesson.steps.size());
    present["run"] = lesson.SettingsAt(position).at("run");
    LessonStep step;
    step.title = std::move(title);
    step.settings = std::move(present);
    lesson.steps.insert(lesson.steps.begin() + static_cast<std::ptrdiff_t>(position),
                        std::move(step));
}

std::optional<std::string> GuidedLessonText(const GuidedLesson& lesson, std::string& text) {
    if (lesson.steps.size() > kMaxLessonSteps) {
        return "the lesson has " + std::to_string(lesson.steps.size()) +
               " steps; a lesson may have at most " + std::to_string(kMaxLessonSteps);
    }
    LessonJson json;
    json["format"] = kLessonFormat;
    json["version"] = kLessonVersion;
    if (!lesson.title.empty()) json["title"] = lesson.title;
    if (!lesson.introduction.empty()) json["introduction"] = lesson.introduction;
    for (const auto& [key, value] : lesson.start.items())
        if (key != "format" && key != "version") json[key] = value;
    if (!lesson.steps.empty()) {
        LessonJson& steps = json["steps"] = LessonJson::array();
        std::vector<LessonJson> written;
        auto scratch = Replay(lesson.start, written);
        for (std::size_t i = 0; i < lesson.steps.size(); ++i) {
            const LessonStep& step = lesson.steps[i];
            LessonJson changes;
            if (auto problem = ChangesReaching(lesson.start, written, scratch, lesson.SettingsAt(i),
                                               step.settings, changes))
                return StepName(i) + ": " + *problem;
            LessonJson entry = LessonJson::object();
            if (!step.title.empty()) entry["title"] = step.title;
            if (!step.text.empty()) entry["text"] = step.text;
            for (const auto& [key, value] : changes.items())
                entry[key] = value;
            if (!step.question.empty()) entry["question"] = step.question;
            if (!step.answer.empty()) entry["answer"] = step.answer;
            steps.push_back(std::move(entry));
            written.push_back(std::move(changes));
        }
    }
    std::string written = LessonText(json);
    if (written.size() > kMaxLessonBytes) {
        return "the lesson would be " + std::to_string(written.size()) +
               " bytes; a lesson file may have at most " + std::to_string(kMaxLessonBytes);
    }
    // What is written must open as this lesson: the reader's own checks (limits, empty
    // steps) decide, and its result is compared.
    GuidedLesson back;
    if (auto problem = ReadGuidedLesson(Form1(), json, back)) return problem;
    if (!(back == lesson)) {
        for (std::size_t i = 0; i < lesson.steps.size(); ++i)
            if (!(back.steps[i] == lesson.steps[i]))
                return StepName(i) + ": would not open as it is shown";
        return "the lesson would not open as it is shown";
    }
    text = std::move(written);
    return std::nullopt;
}

}  // namespace linelab
