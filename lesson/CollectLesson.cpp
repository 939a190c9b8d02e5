#include <array>

#include "lesson/Lesson.h"

namespace linelab {
namespace {

// cmbData, then the transmitter's and the receiver's lists (a transmitter change
// overwrites the receiver's copy), then the channel.
constexpr std::array<ListId, 20> kListOrder = {
    ListId::cmbData,      ListId::cmbPreCode0,  ListId::cmbCode0,          ListId::cmbMod0,
    ListId::cmbTxModPC0,  ListId::cmbTxFilter0, ListId::cmbTxBW0,          ListId::cmbTxEB0,
    ListId::cmbPreCode1,  ListId::cmbCode1,     ListId::cmbMod1,           ListId::cmbTxModPC1,
    ListId::cmbTxFilter1, ListId::cmbTxBW1,     ListId::cmbTxEB1,          ListId::cmbHighPass,
    ListId::cmbLowPass,   ListId::cmbNoise,     ListId::cmbMultipathDelay, ListId::cmbMultipathMag};

}  // namespace

std::string_view RunStateName(const Form1& form) {
    if (!form.Timer().enabled) return "stopped";
    return form.PauseButton().caption == "Slow" ? "slow" : "running";
}

std::span<const ListId> LessonListOrder() {
    return kListOrder;
}

LessonJson CollectLesson(const Form1& form) {
    LessonJson lesson;
    lesson["format"] = kLessonFormat;
    lesson["version"] = kLessonVersion;
    lesson["scene"] = form.List(ListId::cmbScene).text;
    LessonJson& lists = lesson["lists"] = LessonJson::object();
    for (ListId id : kListOrder)
        lists[std::string(form.List(id).name)] = form.List(id).text;
    LessonJson& checks = lesson["checks"] = LessonJson::object();
    for (const CheckControl& check : form.Checks())
        checks[std::string(check.name)] = check.value;
    LessonJson& sliders = lesson["sliders"] = LessonJson::object();
    for (const SliderControl& slider : form.Sliders())
        sliders[std::string(slider.name)] = slider.value;
    LessonJson& view = lesson["view"] = LessonJson::object();
    for (const ViewOptionRow& option : kViewOptions)
        view[std::string(option.key)] = form.View()[option.id] ? 1 : 0;
    lesson["run"] = RunStateName(form);
    return lesson;
}

std::string LessonText(const LessonJson& lesson) {
    return lesson.dump(2, ' ', false, LessonJson::error_handler_t::replace) + "\n";
}

}  // namespace linelab
