#include "tests/fuzz/LessonFuzzCheck.h"

#include <sstream>
#include <string_view>

#include "tests/fuzz/FormInvariants.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"

namespace linelab::fuzz {
namespace {

constexpr std::string_view kFile = "fuzz.json";

// Every property a lesson could change, and the visibility its cascades decide.
std::string Snapshot(const Form1& form) {
    std::ostringstream out;
    for (const ListControl& c : form.Lists()) {
        out << c.name << '=' << c.text << '|' << c.visible << '[';
        for (const std::string& item : c.items)
            out << item << ',';
        out << "]\n";
    }
    for (const CheckControl& c : form.Checks())
        out << c.name << '=' << c.value << c.caption << c.visible << '\n';
    for (const SliderControl& c : form.Sliders())
        out << c.name << '=' << c.value << ' ' << c.min << ' ' << c.max << c.visible << '\n';
    for (const LabelControl& c : form.Labels())
        out << c.name << '=' << c.caption << c.visible << '\n';
    for (const PictureControl& c : form.Pictures())
        out << c.name << c.visible << '\n';
    for (const DecorationControl& c : form.Decorations())
        out << c.name << c.visible << '\n';
    out << form.PauseButton().caption << form.Timer().enabled << form.Timer().interval;
    return out.str();
}

// A window some way from the start-up one, so a refusal that reset it would show.
void Prepare(Form1& form) {
    form.ApplyScene(6);
    form.SetText("cmbMod(0)", "AMI");
    form.SetText("cmbNoise", "0.25");
    form.SetValue("vscThreshold", 20);
    form.SetValue("hscDataZoom", 2);
}

std::string CheckRefused(const std::string& problem, const Form1& form, const std::string& before) {
    if (!problem.starts_with(std::string(kFile) + ": "))
        return "the refusal does not name the file: " + problem;
    if (problem.find_first_of("\r\n") != std::string::npos)
        return "the refusal is not one line: " + problem;
    // Every quote is cut: a file of one huge token must not make a message of its size.
    if (problem.size() > kMessageBytes)
        return "the refusal has " + std::to_string(problem.size()) + " bytes: " +
               problem.substr(0, 200);
    for (const char c : problem) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "the refusal holds a control character: " + problem;
    }
    try {
        (void)LessonJson(problem).dump();  // the strict dump throws on invalid UTF-8
    } catch (const LessonJson::exception&) {
        return "the refusal is not valid UTF-8: " + problem;
    }
    if (Snapshot(form) != before) return "a refused lesson changed the window: " + problem;
    return "";
}

std::string CheckAccepted(const Form1& form) {
    if (std::string fault = CheckControls(form); !fault.empty()) return fault;
    const std::string saved = LessonText(CollectLesson(form));
    Form1 again;
    if (const auto problem = OpenLessonText(again, saved, "again.json"))
        return "the lesson saved from an opened one is refused: " + *problem;
    if (Snapshot(again) != Snapshot(form)) return "the saved lesson opens as another window";
    return "";
}

}  // namespace

LessonCheck CheckLessonInput(std::span<const uint8_t> bytes) {
    Form1 form;
    Prepare(form);
    const std::string before = Snapshot(form);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto problem = OpenLessonText(form, text, std::string(kFile));
    if (problem) return {CheckRefused(*problem, form, before), false};
    return {CheckAccepted(form), true};
}

}  // namespace linelab::fuzz
