#include "ui/qt/PicturePanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/qt/BgrColour.h"

namespace linelab {
namespace {

// A panel's image never exceeds this many logical pixels a side, whatever the window size:
// the backing image stays a few hundred megabytes at most, and every scale (side times 15
// units) stays far inside int.
constexpr int kMaxImageSide = 8192;

const QColor kBackground(255, 255, 255);
const QColor kBorder(170, 176, 184);
const QColor kGreyVeil(110, 110, 110, 80);
const QColor kBandText(80, 90, 105);
const QColor kHintText(150, 155, 165);
const QColor kTick(150, 158, 170);

constexpr int kBandPad = 2;
constexpr int kTickLength = 3;

QVector<QLineF> Scaled(const QVector<QLineF>& lines, double sx, double sy) {
    QVector<QLineF> out;
    out.reserve(lines.size());
    for (const QLineF& l : lines)
        out.append(QLineF(l.x1() * sx, l.y1() * sy, l.x2() * sx, l.y2() * sy));
    return out;
}

}  // namespace

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pending_.reserve(4096);
    NewImage();
}

int PicturePanel::TitleHeight() const {
    return title_.isEmpty() ? 0 : fontMetrics().height() + kBandPad;
}

int PicturePanel::AxisHeight() const {
    return axis_ == AxisKind::None ? 0 : fontMetrics().height() + kTickLength + kBandPad;
}

int PicturePanel::SideWidth() const {
    if (side_.isEmpty()) return 0;
    // Room for the longest word of any strip name: names wrap at their spaces.
    return QFontMetrics(SideFont()).horizontalAdvance(QStringLiteral("Post-decoded")) + 8;
}

QFont PicturePanel::SideFont() const {
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    return small;
}

QRect PicturePanel::DrawingRect() const {
    const int top = TitleHeight();
    const int left = SideWidth();
    return QRect(left, top, std::max(0, width() - left),
                 std::max(0, height() - top - AxisHeight()));
}

QSize PicturePanel::LogicalSize() const {
    const QRect area = DrawingRect();
    return QSize(std::clamp(area.width(), 0, kMaxImageSide),
                 std::clamp(area.height(), 0, kMaxImageSide));
}

int PicturePanel::ScaleWidth() const {
    if (standIn_ != nullptr && isHidden()) return standIn_->ScaleWidth();
    return LogicalSize().width() * kUnitsPerPixel;
}

int PicturePanel::ScaleHeight() const {
    if (standIn_ != nullptr && isHidden()) return standIn_->ScaleHeight();
    return LogicalSize().height() * kUnitsPerPixel;
}

// A hidden panel gets its resize event only when shown; checking the size wherever the
// image is used keeps image and scale in step whatever the order of events.
void PicturePanel::EnsureImage() {
    if (imageSize_ != LogicalSize() || imageRatio_ != devicePixelRatioF()) NewImage();
}

// A new size keeps the picture, stretched: a paused window that is resized, or changes
// scene, still shows its eyes and spectra (the next run draws them to the new size).
void PicturePanel::NewImage() {
    DrawPending();
    const QImage old = empty_ ? QImage() : image_;
    const QSize oldSize = imageSize_;
    const QSize logical = LogicalSize();
    const qreal ratio = devicePixelRatioF();
    imageSize_ = logical;
    imageRatio_ = ratio;
    const QSize device(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));
    image_ = logical.isEmpty() ? QImage() : QImage(device, QImage::Format_RGB32);
    // A failed allocation leaves a null image: the panel then simply shows nothing.
    if (!image_.isNull()) {
        image_.setDevicePixelRatio(ratio);
        image_.fill(kBackground);
    }
    const bool kept = !old.isNull() && !image_.isNull() && !oldSize.isEmpty();
    if (kept) {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRect(QPoint(0, 0), logical), old);
        markers_ = Scaled(markers_, double(logical.width()) / oldSize.width(),
                          double(logical.height()) / oldSize.height());
    } else {
        markers_.clear();
    }
    empty_ = !kept;
    update();
    if (kept) emit Resized();
}

void PicturePanel::Clear() {
    EnsureImage();
    pending_.clear();
    markers_.clear();
    empty_ = true;
    if (!image_.isNull()) image_.fill(kBackground);
    update(DrawingRect());
}

void PicturePanel::SetColour(int32_t bgr) {
    if (bgr == colour_) return;
    Flush();  // lines already collected keep the colour they were drawn in
    colour_ = bgr;
    if (bgr == markerColour_) markers_.clear();  // a new set of markers begins
}

void PicturePanel::Line(double x1, double y1, double x2, double y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (pending_.isEmpty()) {
        EnsureImage();
        update(DrawingRect());  // a run changes the drawing, never the bands around it
    }
    constexpr double k = kUnitsPerPixel;
    const QLineF line(x1 / k, y1 / k, x2 / k, y2 / k);
    pending_.append(line);
    if (colour_ == markerColour_) markers_.append(line);
}

void PicturePanel::Flush() {
    if (pending_.isEmpty()) return;
    EnsureImage();
    DrawPending();
}

void PicturePanel::DrawPending() {
    if (pending_.isEmpty()) return;
    if (!image_.isNull()) {
        QPainter painter(&image_);
        // One logical pixel wide (times the presentation zoom), without antialiasing: at
        // ratio 1 this is the painter's fast path for thin lines. Thick lines are drawn by
        // the routines as two lines.
        QPen pen(FromBgr(colour_));
        pen.setCosmetic(true);
        pen.setWidthF(image_.devicePixelRatio() * penScale_);
        painter.setPen(pen);
        painter.drawLines(pending_);
        empty_ = false;
    }
    pending_.clear();
}

const QImage& PicturePanel::Image() {
    EnsureImage();
    Flush();
    return image_;
}

void PicturePanel::SetGreyed(bool greyed) {
    if (greyed_ == greyed) return;
    greyed_ = greyed;
    update();
}

void PicturePanel::SetOverlay(Overlay overlay) {
    overlay_ = std::move(overlay);
    update();
}

void PicturePanel::SetTitle(const QString& title) {
    if (title_ == title) return;
    const bool resized = title_.isEmpty() != title.isEmpty();
    title_ = title;
    if (resized) updateGeometry();
    update();
}

void PicturePanel::SetSideLabel(const QString& label) {
    if (side_ == label) return;
    side_ = label;
    updateGeometry();
    update();
}

void PicturePanel::SetFrequencyAxis(bool numbers) {
    if (axis_ == AxisKind::Frequency && axisNumbers_ == numbers) return;
    if (axis_ == AxisKind::None) updateGeometry();
    axis_ = AxisKind::Frequency;
    axisNumbers_ = numbers;
    update();
}

void PicturePanel::SetSymbolAxis(double symbolsAcross, const PicturePanel* scaleOf) {
    if (axis_ == AxisKind::SymbolPeriods && symbolsAcross_ == symbolsAcross && scaleOf_ == scaleOf)
        return;
    if (axis_ == AxisKind::None) updateGeometry();
    axis_ = AxisKind::SymbolPeriods;
    symbolsAcross_ = symbolsAcross;
    scaleOf_ = scaleOf;
    update();
}

void PicturePanel::SetOffHint(const QString& hint) {
    if (offHint_ == hint) return;
    offHint_ = hint;
    update();
}

void PicturePanel::SetPenScale(qreal scale) {
    penScale_ = std::clamp(scale, 0.5, 4.0);
}

void PicturePanel::SetPreferredSize(QSize size) {
    preferred_ = size;
    updateGeometry();
}

QSize PicturePanel::minimumSizeHint() const {
    return QSize(std::min(preferred_.width(), 120) + SideWidth(),
                 std::min(preferred_.height(), 30) + TitleHeight() + AxisHeight());
}

void PicturePanel::paintEvent(QPaintEvent* event) {
    EnsureImage();
    Flush();
    QPainter painter(this);
    const QRect area = DrawingRect();
    painter.fillRect(event->rect(), kBackground);
    if (!image_.isNull()) painter.drawImage(area.topLeft(), image_);
    if (overlay_) overlay_(painter, area);
    PaintOverlay(painter);
    if (greyed_) painter.fillRect(area, kGreyVeil);
    // The bands' text is the costly part of a repaint; a run repaints only the drawing.
    if (!area.contains(event->rect())) PaintBands(painter);
    painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PicturePanel::PaintOverlay(QPainter& painter) {
    const QRect area = DrawingRect();
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    if (!markers_.isEmpty()) {
        QPen pen(FromBgr(markerColour_));
        pen.setCosmetic(true);
        pen.setWidthF(penScale_);
        painter.setPen(pen);
        painter.drawLines(markers_);
    }
    if (Empty() && !offHint_.isEmpty()) {
        painter.setPen(kHintText);
        painter.drawText(QRect(QPoint(0, 0), area.size()), Qt::AlignCenter | Qt::TextWordWrap,
                         offHint_);
    }
    painter.restore();
}

void PicturePanel::PaintBands(QPainter& painter) {
    const QRect area = DrawingRect();
    painter.setPen(kBandText);
    if (!side_.isEmpty()) {
        painter.save();
        painter.setFont(SideFont());
        painter.drawText(QRect(4, 0, area.left() - 6, height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, side_);
        painter.setPen(kTick);
        painter.drawLine(area.left() - 1, 0, area.left() - 1, height());
        painter.restore();
    }
    if (!title_.isEmpty()) {
        painter.drawText(QRect(area.left() + 4, 0, area.width() - 8, area.top()),
                         Qt::AlignLeft | Qt::AlignVCenter, title_);
        painter.setPen(kTick);
        painter.drawLine(area.left(), area.top() - 1, area.right(), area.top() - 1);
    }
    const QRect band(area.left(), area.bottom() + 1, area.width(), height() - area.bottom() - 1);
    if (axis_ == AxisKind::Frequency) PaintFrequencyAxis(painter, band);
    if (axis_ == AxisKind::SymbolPeriods) PaintSymbolAxis(painter, band);
}

// 0 to 4 kHz across the drawing, a tick every 0.5 kHz, a number every 1 kHz.
void PicturePanel::PaintFrequencyAxis(QPainter& painter, const QRect& band) {
    const double w = band.width();
    const QFontMetrics fm = fontMetrics();
    const QString unit = QStringLiteral("kHz");
    const int unitLeft = band.right() - fm.horizontalAdvance(unit) - 3;
    for (int i = 0; i <= 8; ++i) {
        const double x = std::min(i * w / 8, w - 1);
        painter.setPen(kTick);
        painter.drawLine(QPointF(x, band.top()), QPointF(x, band.top() + kTickLength));
        if (!axisNumbers_ || i % 2 != 0 || i == 8) continue;
        const QString number = QString::number(i / 2);
        const int left = i == 0 ? 3 : static_cast<int>(x) - fm.horizontalAdvance(number) / 2;
        if (left + fm.horizontalAdvance(number) >= unitLeft - 2) continue;
        painter.setPen(kBandText);
        painter.drawText(left, band.bottom() - fm.descent(), number);
    }
    painter.setPen(kBandText);
    painter.drawText(unitLeft, band.bottom() - fm.descent(), unit);
}

// Ticks one symbol period apart from the left edge, numbered, with the unit at the right.
void PicturePanel::PaintSymbolAxis(QPainter& painter, const QRect& band) {
    const PicturePanel* ref = scaleOf_ != nullptr ? scaleOf_ : this;
    const double across = ref->ScaleWidth() / double(kUnitsPerPixel);
    if (!(symbolsAcross_ > 0) || across <= 0) return;
    const double period = across / symbolsAcross_;
    if (period < 4) return;
    const QFontMetrics fm = fontMetrics();
    const QString unit =
        band.width() >= 260 ? QStringLiteral("symbol periods") : QStringLiteral("symbols");
    const int unitLeft = band.right() - fm.horizontalAdvance(unit) - 3;
    for (int k = 0; k * period < band.width(); ++k) {
        const double x = k * period;
        painter.setPen(kTick);
        painter.drawLine(QPointF(x, band.top()), QPointF(x, band.top() + kTickLength));
        const QString number = QString::number(k);
        const int left = k == 0 ? 3 : static_cast<int>(x) - fm.horizontalAdvance(number) / 2;
        if (left + fm.horizontalAdvance(number) >= unitLeft - 2) continue;
        painter.setPen(kBandText);
        painter.drawText(left, band.bottom() - fm.descent(), number);
    }
    painter.setPen(kBandText);
    painter.drawText(unitLeft, band.bottom() - fm.descent(), unit);
}

void PicturePanel::resizeEvent(QResizeEvent*) {
    EnsureImage();
}

void PicturePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked();
}

void PicturePanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit Clicked();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace linelab
