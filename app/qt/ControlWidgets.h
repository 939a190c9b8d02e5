#pragma once
// The widget of every control of the form model, created once and kept for the window's
// life. The layouts of the scenes arrange these widgets; they never create or delete them.
// The window-less decorations (stage shapes, hint lines) have no widget: the chain area
// paints them.

#include <array>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace linelab {

// The tallest a strip grows; the chain's layout lowers it beside the lesson pane.
inline constexpr int kStripMaxHeight = 90;

class ClickLabel;
class Form1;
class PicturePanel;

struct ControlWidgets {
    std::array<QComboBox*, CountOf<ListId>()> lists{};
    std::array<QCheckBox*, CountOf<CheckId>()> checks{};
    std::array<QScrollBar*, CountOf<SliderId>()> sliders{};
    std::array<QLabel*, CountOf<LabelId>()> labels{};
    std::array<PicturePanel*, CountOf<PictureId>()> pictures{};
    QPushButton* pause = nullptr;
    QLabel* logo = nullptr;  // imgLogo
    // The readouts of ui/Readouts.h in the table's order, made by MeasureView; the layout
    // places them under their controls when they exist.
    std::vector<QLabel*> readouts;

    QComboBox* List(ListId id) const { return lists[static_cast<std::size_t>(id)]; }
    QCheckBox* Check(CheckId id) const { return checks[static_cast<std::size_t>(id)]; }
    QScrollBar* Slider(SliderId id) const { return sliders[static_cast<std::size_t>(id)]; }
    QLabel* Label(LabelId id) const { return labels[static_cast<std::size_t>(id)]; }
    PicturePanel* Picture(PictureId id) const { return pictures[static_cast<std::size_t>(id)]; }
    // The readout named `name` (ui/Readouts.h), or null before they are made.
    QLabel* Readout(std::string_view name) const;

    // The widget showing a control; nullptr for the timer and the painted decorations.
    QWidget* WidgetOf(ControlRef control) const;
};

// Creates every control's widget as a child of `parent`, named after its control, with
// its tooltip, in the order the Tab key visits them.
ControlWidgets CreateControlWidgets(const Form1& form, QWidget* parent);

}  // namespace linelab
