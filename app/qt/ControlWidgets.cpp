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
#include "ui/Form1.h"

namespace linelab {
namespace {

// The focusable controls in reading order (left to right along the chain), which is the
// order Tab visits them: widgets join the focus chain in the order they are created.
constexpr std::array<ControlRef, 52> kTabOrder = {ListId::cmbScene,
                                                  ListId::cmbData,
                                                  kPauseButton,
                                                  ListId::cmbPreCode0,
                                                  ListId::cmbCode0,
                                                  ListId::cmbMod0,
                                                  ListId::cmbTxModPC0,
                                                  ListId::cmbTxFilter0,
                                                  ListId::cmbTxBW0,
                                                  ListId::cmbTxEB0,
                                                  CheckId::chkData,
                                                  CheckId::chkPreData,
                                                  CheckId::chkCodedData,
                                                  CheckId::chkModData,
                                                  SliderId::hscDataScroll,
                                                  SliderId::hscDataZoom,
                                                  CheckId::chkTxEye,
                                                  PictureId::picTxEye,
                                                  SliderId::vscTxEyeScale,
                                                  CheckId::chkTxSpectrum,
                                                  PictureId::picTxSpectrum,
                                                  ListId::cmbHighPass,
                                                  ListId::cmbLowPass,
                                                  ListId::cmbNoise,
                                                  CheckId::chkFixedNoise,
                                                  ListId::cmbMultipathDelay,
                                                  ListId::cmbMultipathMag,
                                                  CheckId::chkInvert,
                                                  CheckId::chkChannelEye,
                                                  PictureId::picChannelEye,
                                                  CheckId::chkChannelSpectrum,
                                                  PictureId::picChannelSpectrum,
                                                  CheckId::chkLinear,
                                                  CheckId::chkMemory,
                                                  ListId::cmbTxFilter1,
                                                  ListId::cmbTxBW1,
                                                  ListId::cmbTxEB1,
                                                  CheckId::chkRxEye,
                                                  PictureId::picRxEye,
                                                  SliderId::vscThreshold,
                                                  SliderId::hscSample,
                                                  CheckId::chkRxSpectrum,
                                                  PictureId::picRxSpectrum,
                                                  SliderId::vscSpectrumRange,
                                                  ListId::cmbMod1,
                                                  ListId::cmbTxModPC1,
                                                  ListId::cmbCode1,
                                                  ListId::cmbPreCode1,
                                                  CheckId::chkDemodData,
                                                  CheckId::chkDecodedData,
                                                  CheckId::chkPostData,
                                                  CheckId::chkRxData};

constexpr int kStripMaxHeight = 90;
// The model's panel sizes are generous; in the full layout four stages share the width,
// so the panels start from a narrower width and grow with the window.
constexpr int kMaxPreferredWidth = 220;

bool IsStrip(PictureId id) {
    return id <= PictureId::picRxData;
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

ControlWidgets CreateControlWidgets(const Form1& form, QWidget* parent) {
    ControlWidgets widgets;
    Factory factory(form, parent, widgets);
    for (ControlRef control : kTabOrder)
        factory.Make(control);
    for (ControlRef control : AllControls())
        factory.Make(control);
    return widgets;
}

}  // namespace linelab
