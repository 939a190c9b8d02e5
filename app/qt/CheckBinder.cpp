#include "app/qt/CheckBinder.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "ui/Form1.h"
#include "app/qt/BgrColour.h"
#include "app/qt/PanelFrames.h"
#include "app/qt/PicturePanel.h"

namespace linelab {
namespace {

// The strip switches come first, in the order of their pictures.
bool IsStripSwitch(CheckId id) {
    return id <= CheckId::chkRxData;
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
    if (IsStripSwitch(id))
        widgets_.Picture(static_cast<PictureId>(id))->SetGreyed(check.value == 0);
}

}  // namespace linelab
