#pragma once
// A guided lesson: a title, an introduction and steps, each step a title, a text for the
// students, the settings it changes, and optionally a question whose answer stays hidden
// until asked for. In the file the steps follow the lesson's own settings, each holding only
// what differs from the step before:
//
//     {"format": "linelab-lesson", "version": 2, "scene": "Full Tx", "lists": {...}, ...,
//      "title": "Why line codes", "introduction": "...",
//      "steps": [{"title": "Manchester", "text": "...",
//                 "lists": {"cmbCode(0)": "Manchester"}, "view": {"theory": 1},
//                 "question": "What happens at 0 Hz?", "answer": "..."}, ...]}
//
// A step takes "title", "text", "question", "answer", and any of the lesson's groups
// ("scene", "lists", "checks", "sliders", "view", "run"), applied as a lesson applies them,
// as a user's changes with every cascade. Texts are plain text (new lines and tabs, no
// markup). A lesson without steps is a plain lesson.
//
// In memory every step holds every setting in force at it, so steps can be reordered,
// deleted and added without changing what any of them shows; the file's differences are
// worked out when it is written, and checked by reading the text back.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/Lesson.h"

namespace linelab {

// Limits, far beyond any lesson for a class, that keep a file's texts and steps in bounds.
inline constexpr std::size_t kMaxLessonSteps = 200;
inline constexpr std::size_t kMaxLessonTitleChars = 200;  // the lesson's and each step's title
// The introduction, and each step's text, question and answer.
inline constexpr std::size_t kMaxLessonTextChars = 4000;

struct LessonStep {
    std::string title;
    std::string text;
    std::string question;
    std::string answer;   // shown only when asked for
    LessonJson settings;  // every setting in force at this step (CollectLesson's form)
    friend bool operator==(const LessonStep&, const LessonStep&) = default;
};

struct GuidedLesson {
    std::string title;
    std::string introduction;
    LessonJson start;  // every setting in force at the introduction
    std::vector<LessonStep> steps;
    friend bool operator==(const GuidedLesson&, const GuidedLesson&) = default;

    // Position 0 is the introduction, 1 to steps.size() the steps.
    std::size_t Positions() const { return steps.size() + 1; }
    const LessonJson& SettingsAt(std::size_t position) const {
        return position == 0 ? start : steps[position - 1].settings;
    }
};

// Reads a parsed lesson: its own settings and every step applied in turn to a start-up
// model (with `form`'s View options when the file has none), each step's settings collected.
// Nothing is applied to `form`. A problem names the step ("step 3: ...").
std::optional<std::string> ReadGuidedLesson(const Form1& form, const LessonJson& json,
                                            GuidedLesson& lesson);
// The same from a file's text; the message names the file.
std::optional<std::string> ReadGuidedLessonText(const Form1& form, std::string_view text,
                                                const std::filesystem::path& file,
                                                GuidedLesson& lesson);

// Puts the form at a position of the lesson (0: the introduction): taken back to the
// start-up values first and then given every setting of that position, so it ends exactly
// as the lesson says whatever it showed before.
std::optional<std::string> ShowLessonStep(Form1& form, const GuidedLesson& lesson,
                                          std::size_t position,
                                          LessonRunState run = LessonRunState::Apply);

// What differs from `before` in `after`, group by group (both as CollectLesson gives them).
LessonJson StepChanges(const LessonJson& before, const LessonJson& after);

// The form's present settings as a step after `position` (0: before the first step); the
// run control stays as the step before has it. A lesson without steps first takes the
// present settings as its own.
void AddLessonStep(GuidedLesson& lesson, const Form1& form, std::size_t position,
                   std::string title);

// The file's text; refused when the text would not open as this lesson (a step left empty,
// a text over its limit, too many steps, a file over kMaxLessonBytes).
std::optional<std::string> GuidedLessonText(const GuidedLesson& lesson, std::string& text);

// Writes it as SaveLesson writes a plain lesson.
std::optional<std::string> SaveGuidedLesson(const GuidedLesson& lesson,
                                            const std::filesystem::path& file,
                                            AskedFirst asked = AskedFirst::No);

}  // namespace linelab
