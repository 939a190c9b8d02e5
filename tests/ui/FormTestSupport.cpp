#include "FormTestSupport.h"

#include <algorithm>
#include <sstream>

namespace linelab::test {

CanvasSet::CanvasSet(Form1& form) {
    for (int i = 0; i < CountOf<PictureId>(); ++i)
        form.AttachCanvas(static_cast<PictureId>(i), &canvases[static_cast<std::size_t>(i)]);
}

void CanvasSet::Reset() {
    for (CountingCanvas& c : canvases)
        c.clears = c.lines = 0;
}

bool Recorder::WasChanged(std::string_view name) const {
    return std::find(changed.begin(), changed.end(), name) != changed.end();
}

std::string Dump(const Form1& form) {
    std::ostringstream out;
    for (const ListControl& c : form.Lists()) {
        out << c.name << " '" << c.text << "' " << c.editable << c.visible << " [";
        for (const std::string& item : c.items)
            out << item << '|';
        out << "]\n";
    }
    for (const CheckControl& c : form.Checks())
        out << c.name << ' ' << c.value << " '" << c.caption << "' " << c.captionColour << c.visible
            << '\n';
    for (const SliderControl& c : form.Sliders())
        out << c.name << ' ' << c.min << ' ' << c.max << ' ' << c.smallChange << ' '
            << c.largeChange << ' ' << c.value << c.visible << '\n';
    for (const LabelControl& c : form.Labels())
        out << c.name << " '" << c.caption << "' " << c.colour << c.visible << '\n';
    for (const PictureControl& c : form.Pictures())
        out << c.name << ' ' << c.visible << '\n';
    for (const DecorationControl& c : form.Decorations())
        out << c.name << ' ' << c.visible << '\n';
    out << "cmdPause '" << form.PauseButton().caption << "'\n";
    out << "Timer1 " << form.Timer().enabled << ' ' << form.Timer().interval << '\n';
    for (const ViewOptionRow& option : kViewOptions)
        out << option.key << ' ' << form.View()[option.id] << '\n';
    return out.str();
}

std::vector<std::string> Items(const Form1& form, ListId id) {
    return form.List(id).items;
}

}  // namespace linelab::test
