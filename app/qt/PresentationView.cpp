#include "app/qt/PresentationView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace linelab {
namespace {

constexpr int kMargin = 12;

}  // namespace

PresentationView::PresentationView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("presentation"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PresentationView::Show(PicturePanel* panel) {
    disconnect(changed_);
    panel_ = panel;
    if (panel != nullptr)
        changed_ = connect(panel, &PicturePanel::Changed, this, qOverload<>(&QWidget::update));
    update();
}

// Text a third larger than the window's, so a room can read the axes.
QFont PresentationView::PanelFont() const {
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 4 / 3);
    return large;
}

QString PresentationView::ReadoutText() const {
    return panel_ != nullptr && readout_ ? readout_(*panel_) : QString();
}

QRect PresentationView::PanelRect() const {
    const QString readout = ReadoutText();
    const int lines =
        readout.isEmpty() ? 0 : static_cast<int>(readout.count(QLatin1Char('\n'))) + 1;
    const int below = lines * QFontMetrics(PanelFont()).lineSpacing() + (lines > 0 ? kMargin : 0);
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin - below);
}

void PresentationView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (panel_ == nullptr) return;
    const QRect area = PanelRect();
    panel_->PaintInto(painter, area, PanelFont());
    const QString readout = ReadoutText();
    if (readout.isEmpty()) return;
    painter.setFont(PanelFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(area.left(), area.bottom() + kMargin, area.width(),
                           height() - area.bottom() - kMargin),
                     Qt::AlignLeft | Qt::AlignTop, readout);
}

void PresentationView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit Done();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PresentationView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Done();
}

}  // namespace linelab
