#include "app/qt/ChainArea.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Form1.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

const QColor kStageFill(243, 246, 250);
const QColor kStageBorder(205, 213, 223);
const QColor kLegend(95, 105, 120);
const QColor kHint(150, 160, 175);
const QColor kTopFill(234, 239, 245);

constexpr int kFramePad = 8;       // frame outside the stage's cells
constexpr int kLegendHeight = 18;  // the stage name above its cells
constexpr std::array<const char*, kStageColumns> kStageNames = {"Transmitter", "Channel",
                                                                "Receiver", "Data and output"};

void Arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length < 6) return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - 5 * u + 3 * n);
    head.lineTo(to - 5 * u - 3 * n);
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

// From the edge of `a` facing `b` to the facing edge of `b`: straight where the two
// overlap across the direction of travel, otherwise out sideways and then down or up.
void Connect(QPainter& painter, const QRect& a, const QRect& b) {
    const int left = std::max(a.left(), b.left());
    const int right = std::min(a.right(), b.right());
    const int top = std::max(a.top(), b.top());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (left <= right && (a.bottom() < b.top() || b.bottom() < a.top())) {
        const double x = (left + right) / 2.0;
        const bool down = a.bottom() < b.top();
        Arrow(painter, {x, double(down ? a.bottom() + 1 : a.top())},
              {x, double(down ? b.top() - 1 : b.bottom() + 1)});
    } else if (top <= bottom && (a.right() < b.left() || b.right() < a.left())) {
        const double y = (top + bottom) / 2.0;
        const bool rightward = a.right() < b.left();
        Arrow(painter, {double(rightward ? a.right() + 1 : a.left()), y},
              {double(rightward ? b.left() - 1 : b.right() + 1), y});
    } else {
        const bool rightward = a.center().x() < b.center().x();
        const bool down = a.center().y() < b.center().y();
        const QPointF start(rightward ? a.right() + 1 : a.left(), a.center().y());
        const QPointF corner(b.center().x(), a.center().y());
        painter.drawLine(start, corner);
        Arrow(painter, corner, {corner.x(), double(down ? b.top() - 1 : b.bottom() + 1)});
    }
}

}  // namespace

ChainArea::ChainArea(const Form1& form, QWidget* parent) : QWidget(parent), form_(form) {
    widgets_ = CreateControlWidgets(form, this);
    layout_ = std::make_unique<ChainLayout>(this, widgets_, form);
    // The frames and hint lines follow the widgets wherever a layout moves them, whatever
    // started it (a scene, a lesson opened at start, a zoom, a new size).
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

bool ChainArea::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            update();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// The frames stand where the layout last put the cells: once it has laid them out (a new
// scene's layout may leave every widget where it was, so no child's move repaints), the
// whole area is painted again.
bool ChainArea::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Only when they moved: a run changes the readouts' texts, which asks for a layout,
    // and a repaint of the whole area would repaint every panel with it.
    if (event->type() == QEvent::LayoutRequest && Frames() != painted_) update();
    return handled;
}

std::array<QRect, kStageColumns + 1> ChainArea::Frames() const {
    std::array<QRect, kStageColumns + 1> frames;
    for (int column = 0; column < kStageColumns; ++column)
        frames[static_cast<std::size_t>(column)] = layout_->StageRect(column);
    frames[kStageColumns] = layout_->TopBarRect();
    return frames;
}

void ChainArea::paintEvent(QPaintEvent*) {
    painted_ = Frames();
    QPainter painter(this);
    PaintTopBar(painter);
    PaintStages(painter);
    PaintHints(painter);
}

void ChainArea::PaintTopBar(QPainter& painter) {
    const QRect bar = layout_->TopBarRect();
    if (bar.isEmpty()) return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (form_.Decoration(DecorationId::Shape1).visible) {
        painter.setPen(kStageBorder);
        painter.setBrush(kTopFill);
        painter.drawRoundedRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    }
    if (form_.Decoration(DecorationId::Line1).visible) {
        painter.setPen(kStageBorder);
        const double y = bar.bottom() + 4.5;
        painter.drawLine(QPointF(bar.left(), y), QPointF(width() - bar.left(), y));
    }
}

void ChainArea::PaintStages(QPainter& painter) {
    QFont legend = font();
    legend.setBold(true);
    for (int column = 0; column < kStageColumns; ++column) {
        const auto id = Element(DecorationId::shpTx, column);
        const QRect cells = layout_->StageRect(column);
        if (!form_.Decoration(id).visible || cells.isEmpty()) continue;
        const QRectF frame =
            QRectF(cells).adjusted(-kFramePad, -kFramePad - kLegendHeight, kFramePad, kFramePad);
        painter.setPen(kStageBorder);
        painter.setBrush(kStageFill);
        painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        painter.setFont(legend);
        painter.setPen(kLegend);
        painter.drawText(frame.adjusted(kFramePad, 2, -kFramePad, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromUtf8(kStageNames[static_cast<std::size_t>(column)]));
    }
}

// The hint lines follow the signal down each stage and across from stage to stage, as the
// panel table's arrows lead; they show together (the scenes show the lneHint lines as one
// group), each only while both of its ends are shown.
void ChainArea::PaintHints(QPainter& painter) {
    if (!form_.Decoration(DecorationId::lneHint0).visible) return;
    painter.setPen(QPen(kHint, 1));
    painter.setBrush(Qt::NoBrush);
    const auto shown = [this](std::string_view name) -> const QWidget* {
        const auto control = FindControl(name);
        const QWidget* widget = control ? widgets_.WidgetOf(*control) : nullptr;
        return widget != nullptr && widget->isVisible() ? widget : nullptr;
    };
    const auto connect = [&](std::string_view from, std::string_view to) {
        if (from.empty() || to.empty()) return;
        // In the full layout the strips stand in the last column: their slider leads to
        // the transmitter's eye only in the compact one.
        if (layout_->Full() && from == NameOf(SliderId::hscDataScroll)) return;
        const QWidget* a = shown(from);
        const QWidget* b = shown(to);
        if (a != nullptr && b != nullptr) Connect(painter, a->geometry(), b->geometry());
    };
    for (const PanelDescriptor& panel : kPanelTable) {
        for (const std::string_view from : panel.from)
            connect(from, panel.pictureName);
        for (const std::string_view to : panel.next)
            connect(panel.pictureName, to);
    }
}

}  // namespace linelab
