#include "app/qt/PicturePanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/qt/BgrColour.h"
#include "app/qt/LineRaster.h"
#include "app/qt/PanelAxes.h"

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
// The lines kept for drawing again: about twenty runs of an eye (63 traces of some fifty
// segments each), a few megabytes a panel at most.
constexpr qsizetype kMaxKeptLines = 64000;
// Above this many lines a panel goes into a drawing (an SVG file) as a picture.
constexpr qsizetype kMaxDrawingLines = 4000;

QVector<QLineF> Scaled(const QVector<QLineF>& lines, double sx, double sy) {
    QVector<QLineF> out;
    out.reserve(lines.size());
    for (const QLineF& l : lines)
        out.append(QLineF(l.x1() * sx, l.y1() * sy, l.x2() * sx, l.y2() * sy));
    return out;
}

}  // namespace

PicturePanel::ExportScope::ExportScope(QWidget& root) {
    QList<PicturePanel*> panels = root.findChildren<PicturePanel*>();
    if (auto* panel = qobject_cast<PicturePanel*>(&root)) {
        panels.append(panel);
        ++panel->exportingAlone_;
        alone_ = panel;
    }
    for (PicturePanel* panel : panels) {
        ++panel->exporting_;
        panels_.append(panel);
    }
}

PicturePanel::ExportScope::~ExportScope() {
    for (const QPointer<PicturePanel>& panel : panels_)
        if (panel) --panel->exporting_;
    if (alone_) --alone_->exportingAlone_;
}

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pending_.reserve(4096);
    NewImage();
}

int PicturePanel::TitleHeight(const QFontMetrics& fm) const {
    return title_.isEmpty() ? 0 : fm.height() + kBandPad;
}

int PicturePanel::AxisHeight(const QFontMetrics& fm) const {
    return axis_ == AxisKind::None ? 0 : fm.height() + kTickLength + kBandPad;
}

int PicturePanel::SideWidth() const {
    if (side_.isEmpty()) return 0;
    // Room for the longest word of any strip name: names wrap at their spaces.
    const auto measure = [this] {
        return QFontMetrics(SideFont()).horizontalAdvance(QStringLiteral("Post-decoded")) + 8;
    };
    if (paintFont_) return measure();  // painted elsewhere, in a font of its own
    if (sideWidth_ < 0) const_cast<PicturePanel*>(this)->sideWidth_ = measure();
    return sideWidth_;
}

// Room for the widest number of the value axis and its tick.
int PicturePanel::ValueWidth(const QFontMetrics& fm) const {
    if (values_.top == values_.bottom) return 0;
    // Numbers of four characters or fewer fit in the room of "-0.00"; the band's width is
    // asked for at every scale a drawing routine reads, so the longer ones alone are measured.
    int widest = fm.horizontalAdvance(QStringLiteral("-0.00"));
    if (widestValue_.size() > 4) widest = std::max(widest, fm.horizontalAdvance(widestValue_));
    return widest + kTickLength + 2 * kBandPad;
}

QFont PicturePanel::SideFont() const {
    QFont small = paintFont_ ? *paintFont_ : font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    return small;
}

QRect PicturePanel::DrawingRectIn(QSize outer, const QFontMetrics& fm) const {
    const int top = TitleHeight(fm);
    const int left = SideWidth() + ValueWidth(fm);
    return QRect(left, top, std::max(0, outer.width() - left),
                 std::max(0, outer.height() - top - AxisHeight(fm)));
}

QRect PicturePanel::DrawingRect() const {
    return DrawingRectIn(size(), fontMetrics());
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

// A new size draws the kept runs again at that size: a paused window that is resized,
// zoomed or changes scene still shows its pictures, as sharp as when they were drawn.
void PicturePanel::NewImage() {
    DrawPending();
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
    const bool kept = KeptLines() > 0 && !image_.isNull();
    if (kept) {
        QPainter painter(&image_);
        Replay(painter, QSizeF(logical), penScale_);
    }
    if (!oldSize.isEmpty() && !logical.isEmpty()) {
        markers_ = Scaled(markers_, double(logical.width()) / oldSize.width(),
                          double(logical.height()) / oldSize.height());
    }
    empty_ = KeptLines() == 0;
    update();
    if (kept && oldSize != logical) emit Resized();
}

uint8_t PicturePanel::Thickens(const QLineF& before, const QLineF& line) {
    constexpr double k = kUnitsPerPixel;
    const auto units = [](double a, double b) -> int {
        const double d = (b - a) * k;
        const double whole = std::round(d);
        return std::abs(d - whole) < 1e-3 && whole >= 1 && whole <= k ? static_cast<int>(whole) : 0;
    };
    const auto same = [](double a, double b) { return std::abs(a - b) * k < 1e-3; };
    if (same(line.x1(), before.x1()) && same(line.x2(), before.x2())) {
        const int down = units(before.y1(), line.y1());
        if (down > 0 && down == units(before.y2(), line.y2())) return static_cast<uint8_t>(down);
    }
    if (same(line.y1(), before.y1()) && same(line.y2(), before.y2())) {
        const int right = units(before.x1(), line.x1());
        if (right > 0 && right == units(before.x2(), line.x2()))
            return static_cast<uint8_t>(16 + right);
    }
    return 0;
}

void PicturePanel::Keep(const QLineF& pixels) {
    if (keepX_ <= 0 || keepY_ <= 0) return;
    if (open_.strokes.empty() || open_.strokes.back().colour != colour_) {
        open_.strokes.push_back(Stroke{colour_, {}, {}});
        open_.strokes.back().lines.reserve(1024);
        open_.strokes.back().thick.reserve(1024);
    } else if (Stroke& stroke = open_.strokes.back(); stroke.thick.back() == 0) {
        if (const uint8_t thick = Thickens(lastKept_, pixels)) {
            stroke.thick.back() = thick;
            lastKept_ = QLineF();
            return;
        }
    }
    open_.strokes.back().lines.push_back(
        {static_cast<float>(pixels.x1() * keepX_), static_cast<float>(pixels.y1() * keepY_),
         static_cast<float>(pixels.x2() * keepX_), static_cast<float>(pixels.y2() * keepY_)});
    open_.strokes.back().thick.push_back(0);
    lastKept_ = pixels;
    ++open_.lines;
}

// The oldest runs go first once the kept lines pass the bound; the last run always stays.
void PicturePanel::EndRun() {
    if (open_.lines == 0) return;
    keptLines_ += open_.lines;
    runs_.push_back(std::move(open_));
    open_ = Run{};
    while (keptLines_ > kMaxKeptLines && runs_.size() > 1) {
        keptLines_ -= runs_.front().lines;
        runs_.pop_front();
    }
}

void PicturePanel::DrawScaled(QPainter& painter, const QVector<QLineF>& lines,
                              const std::vector<uint8_t>& thick, QSizeF scale, QSizeF bounds,
                              qreal pen) {
    QVector<QLineF> scaled;
    scaled.reserve(lines.size() + lines.size() / 4);
    const Margin box{0, 0, bounds.width(), bounds.height(), bounds.isEmpty()};
    const auto add = [&](QLineF line) {
        Segment s{line.x1(), line.y1(), line.x2(), line.y2()};
        if (ClipLine(s, box)) scaled.append(QLineF(s.x1, s.y1, s.x2, s.y2));
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QLineF& l = lines[i];
        const QLineF line(l.x1() * scale.width(), l.y1() * scale.height(), l.x2() * scale.width(),
                          l.y2() * scale.height());
        add(line);
        const int mark = static_cast<std::size_t>(i) < thick.size() ? thick[i] : 0;
        const double away = (mark & 15) * pen / kUnitsPerPixel;
        if (mark == 0) continue;
        add(mark > 16 ? line.translated(away, 0) : line.translated(0, away));
    }
    painter.drawLines(scaled);
}

void PicturePanel::Replay(QPainter& painter, QSizeF size, qreal penWidth) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QVector<QLineF> lines;
    const auto draw = [&](const Run& run) {
        for (const Stroke& stroke : run.strokes) {
            QPen pen(Ink(stroke.colour));
            pen.setWidthF(penWidth);
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            lines.resize(0);
            lines.reserve(static_cast<qsizetype>(stroke.lines.size()));
            for (const auto& l : stroke.lines)
                lines.append(QLineF(l[0], l[1], l[2], l[3]));
            DrawScaled(painter, lines, stroke.thick, size, size, penWidth);
        }
    };
    for (const Run& run : runs_)
        draw(run);
    draw(open_);
    painter.restore();
}

void PicturePanel::Clear() {
    EnsureImage();
    pending_.clear();
    markers_.clear();
    markerThick_.clear();
    runs_.clear();
    open_ = Run{};
    keptLines_ = 0;
    empty_ = true;
    if (!image_.isNull()) image_.fill(kBackground);
    update(DrawingRect());
    emit Changed();
}

void PicturePanel::SetColour(int32_t bgr) {
    if (bgr == colour_) return;
    if (!pending_.isEmpty()) {  // lines already collected keep the colour they were drawn in
        EnsureImage();
        DrawPending();
    }
    colour_ = bgr;
}

void PicturePanel::Line(double x1, double y1, double x2, double y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (pending_.isEmpty()) {
        EnsureImage();
        update(DrawingRect());  // a run changes the drawing, never the bands around it
        // Kept lines are fractions of the scale the routines drew at (a hidden transmit
        // eye's is its stand-in's).
        const int w = ScaleWidth();
        const int h = ScaleHeight();
        keepX_ = w > 0 ? double(kUnitsPerPixel) / w : 0;
        keepY_ = h > 0 ? double(kUnitsPerPixel) / h : 0;
    }
    constexpr double k = kUnitsPerPixel;
    const QLineF line(x1 / k, y1 / k, x2 / k, y2 / k);
    pending_.append(line);
    Keep(line);
}

void PicturePanel::Flush() {
    if (pending_.isEmpty() && open_.lines == 0) return;
    EnsureImage();
    DrawPending();
    if (markerSource_) {
        markers_.clear();
        markerThick_.clear();
        for (const Segment& l : markerSource_()) {
            constexpr double k = kUnitsPerPixel;
            const QLineF line(l.x1 / k, l.y1 / k, l.x2 / k, l.y2 / k);
            if (!markers_.isEmpty() && markerThick_.back() == 0) {
                if (const uint8_t thick = Thickens(markers_.back(), line)) {
                    markerThick_.back() = thick;
                    continue;
                }
            }
            markers_.append(line);
            markerThick_.push_back(0);
        }
    }
    EndRun();
    emit Changed();
}

void PicturePanel::DrawPending() {
    if (pending_.isEmpty()) return;
    if (!image_.isNull()) {
        if (image_.devicePixelRatio() == 1.0 && penScale_ == 1.0 &&
            image_.format() == QImage::Format_RGB32) {
            // One pixel wide at ratio 1, the common case: straight into the image's pixels,
            // without the painter's cost per line (a frame has some 12,800 short lines).
            RasterLines(image_, pending_, Ink(colour_).rgb());
        } else {
            QPainter painter(&image_);
            // One logical pixel wide (times the presentation zoom), without antialiasing.
            // Thick lines are drawn by the routines as two lines.
            QPen pen(Ink(colour_));
            pen.setCosmetic(true);
            pen.setWidthF(image_.devicePixelRatio() * penScale_);
            painter.setPen(pen);
            painter.drawLines(pending_);
        }
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

void PicturePanel::SetOverlay(Overlay overlay, bool covers) {
    overlay_ = std::move(overlay);
    overlayCovers_ = overlay_ && covers;
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

void PicturePanel::SetNoAxis() {
    if (axis_ == AxisKind::None) return;
    axis_ = AxisKind::None;
    updateGeometry();
    update();
}

void PicturePanel::SetValueAxis(const ValueAxis& axis) {
    if (values_ == axis) return;
    const bool resized = (values_.top == values_.bottom) != (axis.top == axis.bottom);
    values_ = axis;
    // The finest step the band can have gives the longest numbers (a linear spectrum's
    // reach 18000): the band is as wide as they are.
    const QString before = widestValue_;
    widestValue_.clear();
    for (const axes::Tick& tick : axes::ValueTicks(axis.top, axis.bottom, 1, 12)) {
        const QString text = QString::fromStdString(tick.label);
        if (text.size() > widestValue_.size()) widestValue_ = text;
    }
    if (resized || widestValue_ != before) updateGeometry();
    update();
}

void PicturePanel::SetOffHint(const QString& hint) {
    if (offHint_ == hint) return;
    offHint_ = hint;
    update();
}

QColor PicturePanel::Ink(int32_t bgr) const {
    return highContrast_ ? HighContrastOf(bgr) : FromBgr(bgr);
}

void PicturePanel::SetHighContrast(bool on) {
    if (highContrast_ == on) return;
    highContrast_ = on;
    NewImage();  // the kept runs drawn again in the palette
}

void PicturePanel::SetPenScale(qreal scale) {
    penScale_ = std::clamp(scale, 0.5, 4.0);
}

void PicturePanel::SetPreferredSize(QSize size) {
    preferred_ = size;
    updateGeometry();
}

QSize PicturePanel::minimumSizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return QSize(std::min(preferred_.width(), 90) + SideWidth() + ValueWidth(fm),
                 std::min(preferred_.height(), 30) + TitleHeight(fm) + AxisHeight(fm));
}

// A switched-off panel shows its hint, never a picture left from before; a strip (greyed
// when off) keeps its picture under the veil.
void PicturePanel::paintEvent(QPaintEvent* event) {
    if (exporting_ > 0) {
        QPainter painter(this);
        // Inside a whole window the labels beneath stand for the numbers.
        PaintInto(painter, rect(), font(), axisNumbers_ || exportingAlone_ > 0);
        return;
    }
    EnsureImage();
    Flush();
    QPainter painter(this);
    const QRect area = DrawingRect();
    painter.fillRect(event->rect(), kBackground);
    const bool off = !offHint_.isEmpty() && !greyed_;
    if (!off) {
        if (!image_.isNull()) painter.drawImage(area.topLeft(), image_);
        if (overlay_) overlay_(painter, area);
        PaintMarkers(painter, area, penScale_);
        if (greyed_) painter.fillRect(area, kGreyVeil);
    }
    PaintHint(painter, area);
    // The bands' text is the costly part of a repaint; a run repaints only the drawing.
    if (!area.contains(event->rect()))
        PaintBandsIn(painter, rect(), area, fontMetrics(), axisNumbers_);
    painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PicturePanel::PaintInto(QPainter& painter, const QRect& target, const QFont& font) {
    PaintInto(painter, target, font, true);
}

void PicturePanel::PaintInto(QPainter& painter, const QRect& target, const QFont& font,
                             bool numbers) {
    DrawPending();
    painter.save();
    painter.translate(target.topLeft());
    painter.setFont(font);
    // The strips' names are in that font too, and their band as wide as it needs.
    paintFont_ = font;
    const QFontMetrics fm(font, painter.device());
    const QRect outer(QPoint(0, 0), target.size());
    const QRect area = DrawingRectIn(target.size(), fm);
    painter.fillRect(outer, kBackground);
    // Pens grow with the picture: by half the square root of how many times the drawing's
    // area it is, in whole pixels (a panel shown large draws two or three pixels wide, a
    // whole window exported at its size one).
    const qreal grow = imageSize_.isEmpty()
                           ? 1.0
                           : std::sqrt(double(area.width()) * area.height() /
                                       (double(imageSize_.width()) * imageSize_.height())) /
                                 2;
    const qreal pen = penScale_ * std::max(1.0, std::round(grow));
    const bool off = !offHint_.isEmpty() && !greyed_;
    if (!off && !area.isEmpty()) {
        painter.save();
        painter.setClipRect(area);
        painter.translate(area.topLeft());
        if (overlayCovers_) {
            // Hidden under the overlay: a drawing of lines would still hold them.
        } else if (painter.paintEngine()->type() == QPaintEngine::SVG &&
                   KeptLines() > kMaxDrawingLines) {
            // Thousands of overlapping traces (an eye): a picture at twice the size, so the
            // file stays small and looks as the panel does.
            const qreal ratio = 2;
            QImage picture(area.size() * ratio, QImage::Format_RGB32);
            if (!picture.isNull()) {
                picture.setDevicePixelRatio(ratio);
                picture.fill(kBackground);
                QPainter inner(&picture);
                Replay(inner, QSizeF(area.size()), pen);
                inner.end();
                painter.drawImage(QPointF(0, 0), picture);
            }
        } else {
            Replay(painter, QSizeF(area.size()), pen);
        }
        painter.restore();
        if (overlay_) overlay_(painter, area);
        PaintMarkers(painter, area, pen);
        if (greyed_) painter.fillRect(area, kGreyVeil);
    }
    PaintHint(painter, area);
    PaintBandsIn(painter, outer, area, fm, numbers);
    painter.setPen(kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    painter.restore();
    paintFont_.reset();
}

void PicturePanel::PaintMarkers(QPainter& painter, const QRect& area, qreal penWidth) {
    if (markers_.isEmpty() || imageSize_.isEmpty()) return;
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    QPen pen(Ink(markerColour_));
    // Never thinner than two device pixels: a one-pixel marker washes out on a projector.
    pen.setWidthF(std::max(penWidth, 2 / painter.device()->devicePixelRatioF()));
    painter.setPen(pen);
    DrawScaled(painter, markers_, markerThick_,
               QSizeF(double(area.width()) / imageSize_.width(),
                      double(area.height()) / imageSize_.height()),
               QSizeF(area.size()), penWidth);
    painter.restore();
}

void PicturePanel::PaintHint(QPainter& painter, const QRect& area) {
    if (offHint_.isEmpty() || (greyed_ && !Empty())) return;
    painter.save();
    painter.setPen(highContrast_ ? kBandText : kHintText);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, offHint_);
    painter.restore();
}

void PicturePanel::PaintBandsIn(QPainter& painter, const QRect& outer, const QRect& area,
                                const QFontMetrics& fm, bool numbers) {
    painter.setPen(kBandText);
    if (!side_.isEmpty()) {
        painter.save();
        painter.setFont(SideFont());
        painter.drawText(QRect(4, 0, SideWidth() - 6, outer.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, side_);
        painter.setPen(kTick);
        painter.drawLine(SideWidth() - 1, 0, SideWidth() - 1, outer.height());
        painter.restore();
    }
    if (!title_.isEmpty()) {
        painter.drawText(QRect(SideWidth() + 4, 0, outer.width() - SideWidth() - 8, area.top()),
                         Qt::AlignLeft | Qt::AlignVCenter, title_);
        painter.setPen(kTick);
        painter.drawLine(SideWidth(), area.top() - 1, outer.right(), area.top() - 1);
    }
    if (ValueWidth(fm) > 0)
        PaintValueAxis(painter, QRect(SideWidth(), area.top(), ValueWidth(fm), area.height()), area,
                       fm);
    const QRect band(area.left(), area.bottom() + 1, area.width(),
                     outer.height() - area.bottom() - 1);
    if (axis_ == AxisKind::Frequency) PaintFrequencyAxis(painter, band, fm, numbers);
    if (axis_ == AxisKind::SymbolPeriods) PaintSymbolAxis(painter, band, fm);
}

// Numbered ticks a 1, 2 or 5 step apart, the unit at the top; the marks (thresholds) are
// labelled in the marker colour where they fall inside the drawing.
void PicturePanel::PaintValueAxis(QPainter& painter, const QRect& band, const QRect& area,
                                  const QFontMetrics& fm) {
    const double top = values_.top;
    const double bottom = values_.bottom;
    const double h = area.height();
    if (h <= 0) return;
    const int count = std::max(1, area.height() / (3 * fm.height()));
    const double step = axes::NiceStep(std::abs(top - bottom), count);
    if (!(step > 0)) return;
    painter.save();
    const int right = band.right();
    const auto baselineAt = [&](double y) {
        return std::clamp(y + fm.ascent() / 2.0 - 1, double(area.top() + fm.ascent()),
                          double(area.bottom()));
    };
    for (const axes::Tick& tick : axes::ValueTicks(top, bottom, h, count)) {
        const double y = area.top() + tick.at;
        painter.setPen(kTick);
        painter.drawLine(QPointF(right - kTickLength, y), QPointF(right, y));
        const QString text = QString::fromStdString(tick.label);
        painter.setPen(kBandText);
        painter.drawText(
            QPointF(right - kTickLength - 1 - fm.horizontalAdvance(text), baselineAt(y)), text);
    }
    // The marks' values in the band, over the ticks they fall on, never over the drawing.
    if (markerColour_ >= 0 && !values_.marks.empty()) {
        // Darker than the marker itself: text must stand 4.5:1 against the band.
        painter.setPen(Ink(markerColour_).darker(200));
        for (double v : values_.marks) {
            const double y = area.top() + (top - v) / (top - bottom) * h;
            if (y < area.top() || y > area.bottom()) continue;
            const QString text = QString::fromStdString(axes::ValueText(v, step / 10));
            const double baseline = baselineAt(y);
            painter.fillRect(QRectF(band.left(), baseline - fm.ascent(), band.width(), fm.height()),
                             kBackground);
            painter.drawText(QPointF(right - 1 - fm.horizontalAdvance(text), baseline), text);
        }
    }
    painter.restore();
}

// Ticks along the band from its left edge, numbered where the ticks say so and the number
// clears the unit at the right.
void PicturePanel::PaintTicks(QPainter& painter, const QRect& band, const QFontMetrics& fm,
                              const std::vector<axes::Tick>& ticks, const QString& unit) {
    const int unitLeft = band.right() - fm.horizontalAdvance(unit) - 3;
    for (const axes::Tick& tick : ticks) {
        const double x = band.left() + tick.at;
        painter.setPen(kTick);
        painter.drawLine(QPointF(x, band.top()), QPointF(x, band.top() + kTickLength));
        if (tick.label.empty()) continue;
        const QString number = QString::fromStdString(tick.label);
        const int left =
            tick.at == 0 ? band.left() + 3 : static_cast<int>(x) - fm.horizontalAdvance(number) / 2;
        if (left + fm.horizontalAdvance(number) >= unitLeft - 2) continue;
        painter.setPen(kBandText);
        painter.drawText(left, band.bottom() - fm.descent(), number);
    }
    painter.setPen(kBandText);
    painter.drawText(unitLeft, band.bottom() - fm.descent(), unit);
}

// 0 to 4 kHz across the drawing, a tick every 0.5 kHz, a number every 1 kHz.
void PicturePanel::PaintFrequencyAxis(QPainter& painter, const QRect& band, const QFontMetrics& fm,
                                      bool numbers) {
    PaintTicks(painter, band, fm, axes::FrequencyTicks(band.width(), numbers),
               QStringLiteral("kHz"));
}

// Ticks one symbol period apart from the left edge, numbered, with the unit at the right.
void PicturePanel::PaintSymbolAxis(QPainter& painter, const QRect& band, const QFontMetrics& fm) {
    const PicturePanel* ref = scaleOf_ != nullptr ? scaleOf_ : this;
    // The periods across this band: the traces' scale is `ref`'s, stretched with the band.
    const double refWidth = ref->ScaleWidth() / double(kUnitsPerPixel);
    const double ownWidth = ScaleWidth() / double(kUnitsPerPixel);
    if (!(symbolsAcross_ > 0) || refWidth <= 0 || ownWidth <= 0) return;
    const double period = band.width() * (refWidth / ownWidth) / symbolsAcross_;
    // Numbers far enough apart to read.
    const double room = 2.0 * fm.horizontalAdvance(QStringLiteral("88"));
    const std::vector<axes::Tick> ticks = axes::SymbolTicks(band.width(), period, room);
    if (ticks.empty()) return;
    PaintTicks(painter, band, fm, ticks, QStringLiteral("symbol periods"));
}

void PicturePanel::resizeEvent(QResizeEvent*) {
    EnsureImage();
}

// A click acts once the time for a double click has passed without one: a double click
// (the panel shown large) must not also clear an eye or restart a spectrum.
void PicturePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!clickTimer_) {
        clickTimer_ = new QTimer(this);
        clickTimer_->setSingleShot(true);
        connect(clickTimer_, &QTimer::timeout, this, &PicturePanel::Clicked);
    }
    clickTimer_->start(QApplication::doubleClickInterval());
}

void PicturePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (clickTimer_) clickTimer_->stop();
    emit Present();
}

void PicturePanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        sideWidth_ = -1;
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void PicturePanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit Clicked();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace linelab
