#include "app/qt/ControlWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "app/qt/ClickLabel.h"
#include "app/qt/Logo.h"
#include "app/qt/PicturePanel.h"
#include "app/qt/ToolTips.h"
#include "ui/ChainTable.h"
#include "ui/Form1.h"
#include "ui/PanelTable.h"
#include "ui/Readouts.h"

namespace linelab {
namespace {

// The model's panel sizes are generous; in the full layout four stages share the width,
// so the panels start from a narrower width and grow with the window.
constexpr int kMaxPreferredWidth = 220;

bool IsStrip(PictureId id) {
    const PanelDescriptor* panel = DescriptorOf(id);
    return panel != nullptr && panel->kind == PanelKind::Strip;
}

class Factory {
  public:
    Factory(const Form1& form, QWidget* parent, ControlWidgets& out)
        : form_(form), parent_(parent), out_(out) {}

    void Make(ControlRef control) {
        if (out_.WidgetOf(control) != nullptr) return;
        QWidget* widget = Create(control);
        if (widget == nullptr) return;
        widget->setObjectName(QString::fromUtf8(NameOf(control)));
        widget->setToolTip(ToolTipOf(control));
    }

  private:
    QWidget* Create(ControlRef control) {
        const auto i = static_cast<std::size_t>(control.index);
        switch (control.kind) {
            case ControlKind::List:
                return out_.lists[i] = MakeList(form_.Lists()[i]);
            case ControlKind::CheckBox:
                return out_.checks[i] = new QCheckBox(parent_);
            case ControlKind::Slider:
                return out_.sliders[i] = MakeSlider(form_.Sliders()[i]);
            case ControlKind::Label:
                return out_.labels[i] = MakeLabel(static_cast<LabelId>(control.index));
            case ControlKind::Button:
                return out_.pause = new QPushButton(parent_);
            case ControlKind::Picture:
                return out_.pictures[i] = MakePicture(static_cast<PictureId>(control.index));
            case ControlKind::Decoration:
                if (control != ControlRef(DecorationId::imgLogo)) return nullptr;
                return out_.logo = MakeLogo(parent_);
            case ControlKind::Timer:
                return nullptr;
        }
        return nullptr;
    }

    QComboBox* MakeList(const ListControl& list) {
        auto* combo = new QComboBox(parent_);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        if (list.editable) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            // Typed text reaches the model when editing finishes; completion would pick
            // items behind the user's back.
            combo->setCompleter(nullptr);
            combo->lineEdit()->setMaxLength(static_cast<int>(kMaxListText));
        }
        return combo;
    }

    QScrollBar* MakeSlider(const SliderControl& slider) {
        auto* bar = new QScrollBar(slider.vertical ? Qt::Vertical : Qt::Horizontal, parent_);
        bar->setFocusPolicy(Qt::StrongFocus);  // scroll bars are skipped by Tab otherwise
        return bar;
    }

    QLabel* MakeLabel(LabelId id) {
        if (id == LabelId::lblBER) {
            // The result of the whole chain: large, and a click restarts it.
            auto* label = new ClickLabel(parent_);
            QFont font = label->font();
            font.setBold(true);
            font.setPointSizeF(font.pointSizeF() * 1.3);
            label->setFont(font);
            label->setAlignment(Qt::AlignCenter);
            label->setCursor(Qt::PointingHandCursor);
            return label;
        }
        auto* label = new QLabel(parent_);
        if (id == LabelId::lblOutput) label->setAlignment(Qt::AlignCenter);
        return label;
    }

    PicturePanel* MakePicture(PictureId id) {
        auto* panel = new PicturePanel(parent_);
        const PictureControl& picture = form_.Picture(id);
        panel->SetPreferredSize(QSize(std::min(picture.width, kMaxPreferredWidth), picture.height));
        if (IsStrip(id)) {
            panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            panel->setMaximumHeight(kStripMaxHeight);
        } else {
            // Eyes and spectra react to a click, so the keyboard reaches them too.
            panel->setFocusPolicy(Qt::StrongFocus);
        }
        return panel;
    }

    const Form1& form_;
    QWidget* parent_;
    ControlWidgets& out_;
};

template <typename Array>
QWidget* At(const Array& widgets, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= widgets.size()) return nullptr;
    return widgets[static_cast<std::size_t>(index)];
}

}  // namespace

QWidget* ControlWidgets::WidgetOf(ControlRef control) const {
    switch (control.kind) {
        case ControlKind::List:
            return At(lists, control.index);
        case ControlKind::CheckBox:
            return At(checks, control.index);
        case ControlKind::Slider:
            return At(sliders, control.index);
        case ControlKind::Label:
            return At(labels, control.index);
        case ControlKind::Button:
            return pause;
        case ControlKind::Picture:
            return At(pictures, control.index);
        case ControlKind::Decoration:
            return control == ControlRef(DecorationId::imgLogo) ? logo : nullptr;
        case ControlKind::Timer:
            return nullptr;
    }
    return nullptr;
}

QLabel* ControlWidgets::Readout(std::string_view name) const {
    const auto table = Readouts();
    for (std::size_t i = 0; i < table.size() && i < readouts.size(); ++i)
        if (table[i].name == name) return readouts[i];
    return nullptr;
}

namespace {

// The focusable controls in reading order, which is the order Tab visits them: widgets join
// the focus chain in the order they are created. The chain table's order, except that the
// sent strips' boxes follow the transmitter's lists (they stand beside them in the compact
// scenes) and the strips themselves take no focus.
std::vector<ControlRef> TabOrder() {
    std::vector<ControlRef> order;
    const auto add = [&order](std::span<const std::string_view> names) {
        for (std::string_view name : names) {
            const std::optional<ControlRef> control = FindControl(name);
            if (!control || control->kind == ControlKind::Label) continue;
            if (control->kind == ControlKind::Picture && IsStrip(PictureId(control->index)))
                continue;
            order.push_back(*control);
        }
    };
    const auto addCell = [&add](const ChainCell& cell) {
        for (const ChainRow& row : cell.rows)
            add(row.controls);
    };
    add(ChainTopBar());
    const std::span<const ChainCell> cells = ChainCells();
    const auto sent = std::find_if(cells.begin(), cells.end(),
                                   [](const ChainCell& c) { return c.role == "strips"; });
    for (auto cell = cells.begin(); cell != cells.end(); ++cell) {
        if (cell == sent) continue;
        addCell(*cell);
        if (cell == cells.begin() && sent != cells.end()) addCell(*sent);
    }
    return order;
}

}  // namespace

ControlWidgets CreateControlWidgets(const Form1& form, QWidget* parent) {
    ControlWidgets widgets;
    Factory factory(form, parent, widgets);
    for (ControlRef control : TabOrder())
        factory.Make(control);
    for (ControlRef control : AllControls())
        factory.Make(control);
    return widgets;
}

}  // namespace linelab
