#include "app/qt/CheckBinder.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "app/qt/BgrColour.h"
#include "app/qt/PanelFrames.h"
#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

// The strip a box switches, if it switches one: a strip left unticked is greyed.
const PanelDescriptor* StripOf(CheckId id) {
    const PanelDescriptor* panel = DescriptorOf(id);
    return panel != nullptr && panel->kind == PanelKind::Strip ? panel : nullptr;
}

}  // namespace

CheckBinder::CheckBinder(Form1& form, const ControlWidgets& widgets,
                         std::function<void()> afterAction)
    : form_(form), widgets_(widgets), afterAction_(std::move(afterAction)) {}

void CheckBinder::Connect() {
    for (int i = 0; i < CountOf<CheckId>(); ++i) {
        const auto id = static_cast<CheckId>(i);
        QCheckBox* box = widgets_.Check(id);
        QObject::connect(box, &QCheckBox::clicked, box,
                         [this, id](bool checked) { Clicked(id, checked); });
        const QString name = SwitchName(id);
        box->setAccessibleName(name.isEmpty() ? box->toolTip() : name);
    }
}

void CheckBinder::Clicked(CheckId id, bool checked) {
    form_.SetCheckValue(id, checked ? 1 : 0);
    Sync(id);
    afterAction_();
}

void CheckBinder::Sync(CheckId id) {
    const CheckControl& check = form_.Check(id);
    QCheckBox* box = widgets_.Check(id);
    {
        const QSignalBlocker blocker(box);
        box->setChecked(check.value == 1);
    }
    const QString caption = QString::fromStdString(check.caption);
    if (box->text() != caption) box->setText(caption);
    QPalette palette = box->palette();
    if (palette.color(QPalette::WindowText) != FromBgr(check.captionColour)) {
        palette.setColor(QPalette::WindowText, FromBgr(check.captionColour));
        box->setPalette(palette);
    }
    if (const PanelDescriptor* strip = StripOf(id))
        widgets_.Picture(strip->picture)->SetGreyed(check.value == 0);
}

}  // namespace linelab
