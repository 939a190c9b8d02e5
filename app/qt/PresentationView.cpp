#include "app/qt/PresentationView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

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

// Text that grows with the picture, as its traces do: by half the square root of how many
// times the panel's area the view is, from a third larger than the window's to two and a
// half times it, so that a room reads the axes, the captions and the BER.
QFont PresentationView::PanelFont() const {
    QFont large = font();
    qreal grow = 4.0 / 3.0;
    if (panel_ != nullptr && !panel_->size().isEmpty()) {
        const qreal area = qreal(width()) * height() / (qreal(panel_->width()) * panel_->height());
        grow = std::clamp(std::sqrt(std::max<qreal>(area, 0)) / 2, 4.0 / 3.0, 2.5);
    }
    large.setPointSizeF(large.pointSizeF() * grow);
    return large;
}

// The readout's first line is the result (the BER), bold and larger, as the window shows it.
QFont PresentationView::ResultFont() const {
    QFont result = PanelFont();
    result.setBold(true);
    result.setPointSizeF(result.pointSizeF() * 1.3);
    return result;
}

QString PresentationView::ReadoutText() const {
    return panel_ != nullptr && readout_ ? readout_(*panel_) : QString();
}

QRect PresentationView::PanelRect() const {
    const QString readout = ReadoutText();
    const int lines =
        readout.isEmpty() ? 0 : static_cast<int>(readout.count(QLatin1Char('\n'))) + 1;
    const int below = lines == 0
                          ? 0
                          : QFontMetrics(ResultFont()).lineSpacing() +
                                (lines - 1) * QFontMetrics(PanelFont()).lineSpacing() + kMargin;
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
    painter.setPen(palette().color(QPalette::WindowText));
    const int first = static_cast<int>(readout.indexOf(QLatin1Char('\n')));
    const int top = area.bottom() + kMargin;
    painter.setFont(ResultFont());
    painter.drawText(QRect(area.left(), top, area.width(), height() - top),
                     Qt::AlignLeft | Qt::AlignTop, readout.left(first));
    if (first < 0) return;
    const int rest = top + QFontMetrics(ResultFont()).lineSpacing();
    painter.setFont(PanelFont());
    painter.drawText(QRect(area.left(), rest, area.width(), height() - rest),
                     Qt::AlignLeft | Qt::AlignTop, readout.mid(first + 1));
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
