#pragma once
// A lesson: the settings of the window as a JSON document, so a teacher can prepare a
// scene, codes, filters and noise before class and open them again.
//
//     {"format": "linelab-lesson", "version": 2, "scene": "Noise",
//      "lists": {"cmbMod(0)": "4-PAM", ...}, "checks": {"chkRxEye": 1, ...},
//      "sliders": {"vscThreshold": 40, ...}, "view": {"densityEyes": 1, ...},
//      "run": "running"}
//
// Version 2 added the View options ("view") and the guided lesson (GuidedLesson.h: a title,
// an introduction and steps); a version 1 file reads as before. A file without "view" leaves
// the View options as they are; a "view" group turns the options it leaves out off.
//
// Applying one acts as the user would, in a fixed order, so every cascade runs as in the
// window: the scene first (it shows, hides and switches panels), then cmbData, the
// transmitter's lists before the receiver's (the receiver follows the transmitter), the
// channel's lists, the check boxes, the sliders (hscDataZoom sets hscDataScroll's range
// before its value), and last the run control. Each group but the scene may be partial:
// what a file leaves out takes what the cascades give it from the start-up window.

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "lesson/SaveFileAtomically.h"
#include "ui/Form1.h"
#include "ui/ViewOptions.h"

namespace linelab {

using LessonJson = nlohmann::ordered_json;

inline constexpr std::string_view kLessonFormat = "linelab-lesson";
inline constexpr int kLessonVersion = 2;
// Larger files are refused before a byte is read: a lesson is a few kilobytes.
inline constexpr std::uintmax_t kMaxLessonBytes = 1024 * 1024;
inline constexpr int kMaxLessonDepth = 8;  // a guided lesson nests four levels deep
// Entries in one object: a group holds at most one per control (fewer than a hundred).
inline constexpr std::size_t kMaxLessonEntries = 256;

// The lists in the order a lesson sets them.
std::span<const ListId> LessonListOrder();

// Every setting a user can make, and the run control's state.
LessonJson CollectLesson(const Form1& form);
std::string_view RunStateName(const Form1& form);  // "running", "slow" or "stopped"

enum class LessonRunState { Apply, Ignore };

// Applies the lesson to the form as a user's changes, stopping at the first value the
// window would not accept; returns that problem ("cmbCode(0): ..."), or nothing.
std::optional<std::string> ApplyLesson(Form1& form, const LessonJson& lesson,
                                       LessonRunState run = LessonRunState::Apply);
// The same for a step's changes: any group, the scene too, may be left out.
std::optional<std::string> ApplyStepSettings(Form1& form, const LessonJson& step,
                                             LessonRunState run = LessonRunState::Apply);

// A value of the file as a message quotes it: short, one line.
std::string QuotedLessonValue(const LessonJson& value);

// The text of a lesson file: indented JSON, invalid UTF-8 in typed texts replaced.
std::string LessonText(const LessonJson& lesson);

// Reads the file: refused when it is no regular readable file or larger than
// kMaxLessonBytes. The message names the file and the problem.
std::optional<std::string> ReadLessonText(const std::filesystem::path& file, std::string& text);

// Parses text read from `file` (named in messages only); a JSON fault is reported with its
// line and column. Deeper nesting, larger objects and a key given twice in one object are
// refused while the text is read.
std::optional<std::string> ParseLesson(std::string_view text, const std::filesystem::path& file,
                                       LessonJson& lesson);

// Opens the lesson into the form at its start (a guided lesson's introduction): it is first
// applied to a fresh start-up model, every step too, and only when every value was accepted
// is the resulting complete lesson applied to `form`, so a bad file leaves the current
// settings untouched. The message names the file.
std::optional<std::string> OpenLesson(Form1& form, const std::filesystem::path& file,
                                      LessonRunState run = LessonRunState::Apply);
std::optional<std::string> OpenLessonText(Form1& form, std::string_view text,
                                          const std::filesystem::path& file,
                                          LessonRunState run = LessonRunState::Apply);

// Writes the form's lesson to a temporary file beside `file` and renames it over `file`,
// so no half-written lesson is ever left (SaveFileAtomically: a link is followed, anything
// but a regular file refused, a read-only file or one with other names replaced only when
// the user was asked). The message names the file and the problem on one line.
std::optional<std::string> SaveLesson(const Form1& form, const std::filesystem::path& file,
                                      AskedFirst asked = AskedFirst::No);

}  // namespace linelab
