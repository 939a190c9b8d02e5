#include "app/qt/CaptionBinder.h"

#include <QLabel>
#include <QPushButton>

#include "ui/Form1.h"
#include "app/qt/BgrColour.h"
#include "app/qt/ClickLabel.h"

namespace linelab {

CaptionBinder::CaptionBinder(Form1& form, const ControlWidgets& widgets,
                             std::function<void()> afterAction)
    : form_(form), widgets_(widgets), afterAction_(std::move(afterAction)) {}

void CaptionBinder::Connect() {
    QObject::connect(widgets_.pause, &QPushButton::clicked, widgets_.pause, [this] {
        form_.ClickPause();
        afterAction_();
    });
    auto* ber = static_cast<ClickLabel*>(widgets_.Label(LabelId::lblBER));
    QObject::connect(ber, &ClickLabel::Clicked, ber, [this] {
        form_.ClickBer();
        afterAction_();
    });
    for (QLabel* label : widgets_.labels)
        label->setTextFormat(Qt::PlainText);  // captions are shown as written
}

void CaptionBinder::SyncLabel(LabelId id) {
    const LabelControl& model = form_.Label(id);
    QLabel* label = widgets_.Label(id);
    const QString caption = QString::fromStdString(model.caption);
    if (label->text() != caption) label->setText(caption);
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) != FromBgr(model.colour)) {
        palette.setColor(QPalette::WindowText, FromBgr(model.colour));
        label->setPalette(palette);
    }
}

void CaptionBinder::SyncPause() {
    widgets_.pause->setText(QString::fromStdString(form_.PauseButton().caption));
}

}  // namespace linelab
