#include "ui/qt/PicturePanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
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

}  // namespace

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pending_.reserve(4096);
    NewImage();
}

QSize PicturePanel::LogicalSize() const {
    return QSize(std::clamp(width(), 0, kMaxImageSide), std::clamp(height(), 0, kMaxImageSide));
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

void PicturePanel::NewImage() {
    pending_.clear();
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
    update();
}

void PicturePanel::Clear() {
    EnsureImage();
    pending_.clear();
    if (!image_.isNull()) image_.fill(kBackground);
    update();
}

void PicturePanel::SetColour(int32_t bgr) {
    if (bgr == colour_) return;
    Flush();  // lines already collected keep the colour they were drawn in
    colour_ = bgr;
}

void PicturePanel::Line(double x1, double y1, double x2, double y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (pending_.isEmpty()) {
        EnsureImage();
        update();
    }
    constexpr double k = kUnitsPerPixel;
    pending_.append(QLineF(x1 / k, y1 / k, x2 / k, y2 / k));
}

void PicturePanel::Flush() {
    if (pending_.isEmpty()) return;
    EnsureImage();
    if (!image_.isNull()) {
        QPainter painter(&image_);
        // One logical pixel wide, without antialiasing: at ratio 1 this is the painter's
        // fast path for thin lines. Thick lines are drawn by the routines as two lines.
        QPen pen(FromBgr(colour_));
        pen.setCosmetic(true);
        pen.setWidthF(image_.devicePixelRatio());
        painter.setPen(pen);
        painter.drawLines(pending_);
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

void PicturePanel::SetPreferredSize(QSize size) {
    preferred_ = size;
    updateGeometry();
}

QSize PicturePanel::minimumSizeHint() const {
    return QSize(std::min(preferred_.width(), 120), std::min(preferred_.height(), 30));
}

void PicturePanel::paintEvent(QPaintEvent*) {
    EnsureImage();
    Flush();
    QPainter painter(this);
    const QSize shown = image_.isNull() ? QSize() : image_.deviceIndependentSize().toSize();
    if (shown.width() < width() || shown.height() < height()) painter.fillRect(rect(), kBackground);
    if (!image_.isNull()) painter.drawImage(QPoint(0, 0), image_);
    if (overlay_) overlay_(painter, rect());
    if (greyed_) painter.fillRect(rect(), kGreyVeil);
    painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : kBorder);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
