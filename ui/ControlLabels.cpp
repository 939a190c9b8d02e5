#include "ui/ControlLabels.h"

#include "ui/ChainTable.h"
#include "ui/Form1.h"
#include "ui/PanelFrames.h"
#include "ui/PanelTable.h"
#include "ui/ToolTips.h"

namespace linelab {
namespace {

// The row of the chain or the top bar that holds `name`.
std::span<const std::string_view> RowOf(std::string_view name) {
    const auto top = ChainTopBar();
    for (const std::string_view n : top)
        if (n == name) return top;
    for (const ChainCell& cell : ChainCells())
        for (const ChainRow& row : cell.rows)
            for (const std::string_view n : row.controls)
                if (n == name) return row.controls;
    return {};
}

// A label's caption while it shows; a hidden label names nothing.
std::string CaptionOf(const Form1& form, std::string_view name) {
    const auto control = FindControl(name);
    if (!control || control->kind != ControlKind::Label || !form.Visible(*control)) return {};
    return form.Label(static_cast<LabelId>(control->index)).caption;
}

// What the tooltip says first, up to its first explanation: "Sampling instant".
std::string TipPhrase(ControlRef control) {
    const std::string_view tip = ToolTipText(control);
    const std::size_t end = tip.find_first_of(":,(");
    std::string_view phrase = tip.substr(0, end);
    while (!phrase.empty() && phrase.back() == ' ')
        phrase.remove_suffix(1);
    return std::string(phrase);
}

}  // namespace

std::string AccessibleName(const Form1& form, ControlRef control) {
    if (const PanelDescriptor* panel = DescriptorOf(control)) {
        if (control.kind == ControlKind::CheckBox)
            return SwitchText(static_cast<CheckId>(control.index));
        const PanelFrame frame = PanelFrameOf(form, static_cast<PictureId>(control.index));
        return frame.title.empty() ? std::string(panel->title) + " strip" : frame.title;
    }
    switch (control.kind) {
        case ControlKind::CheckBox:
            return form.Check(static_cast<CheckId>(control.index)).caption;
        case ControlKind::Label:
            return form.Label(static_cast<LabelId>(control.index)).caption;
        case ControlKind::Button:
            return form.PauseButton().caption;
        default:
            break;
    }
    // A caption that opens the row names the control right after it; the unit labels after
    // the control complete the name.
    const std::string_view name = NameOf(control);
    const auto row = RowOf(name);
    std::string caption;
    std::string units;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] != name) continue;
        if (i > 0) caption = CaptionOf(form, row[i - 1]);
        for (std::size_t j = i + 1; j < row.size(); ++j) {
            const std::string unit = CaptionOf(form, row[j]);
            if (unit.empty()) continue;
            units = unit;
            break;
        }
    }
    if (caption.empty()) caption = TipPhrase(control);
    if (caption.empty()) return std::string(name);
    return units.empty() ? caption : caption + ", " + units;
}

}  // namespace linelab
