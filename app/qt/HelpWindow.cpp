#include "app/qt/HelpWindow.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace linelab {

HelpWindow::HelpWindow(const QString& title, const QString& text, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(title);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setReadOnly(true);
    text_->setPlainText(text);
    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("cmdClose"));
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(text_);
    box->addLayout(buttons);
    resize(520, 380);
}

void HelpWindow::ShowOver(const QWidget* owner) {
    const bool place = !isVisible() && owner != nullptr;
    show();
    if (place) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    raise();
    activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpWindow::Text() const {
    return text_->toPlainText();
}

}  // namespace linelab
