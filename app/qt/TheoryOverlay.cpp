#include "app/qt/TheoryOverlay.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/qt/PicturePanel.h"
#include "display/Plots.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

const QColor kCurveColour(kTheoryColour & 0xff, (kTheoryColour >> 8) & 0xff,
                          (kTheoryColour >> 16) & 0xff);

}  // namespace

TheoryOverlay::TheoryOverlay(Form1& form, PicturePanel& txSpectrum, PicturePanel& channelSpectrum,
                             Note note, QObject* parent)
    : QObject(parent),
      form_(form),
      tx_(txSpectrum),
      channel_(channelSpectrum),
      note_(std::move(note)) {}

PicturePanel* TheoryOverlay::Target() const {
    const auto panel = TheoryPanel(form_);
    if (!panel) return nullptr;
    return *panel == SpectrumPanel::Tx ? &tx_ : &channel_;
}

QString TheoryOverlay::Hint() const {
    return QString::fromStdString(TheoryHint(form_));
}

void TheoryOverlay::Follow() {
    PicturePanel* target = on_ ? Target() : nullptr;
    if (target != shownOn_) {
        if (shownOn_ != nullptr) shownOn_->SetOverlay(nullptr);
        shownOn_ = target;
        if (target != nullptr)
            target->SetOverlay(
                [this](QPainter& painter, const QRect& area) { Paint(painter, area); });
    }
    const QString hint = on_ ? Hint() : QString();
    if (hint != hinted_ && note_) note_(hint);
    hinted_ = hint;
}

void TheoryOverlay::AddViewItem(QMenu& view) {
    const ViewOptionRow& row = RowOf(ViewOption::Theory);
    action_ = view.addAction(QString::fromUtf8(row.menu.data(), static_cast<int>(row.menu.size())));
    action_->setObjectName(QStringLiteral("ViewTheory"));
    action_->setCheckable(true);
    action_->setToolTip(QString::fromUtf8(row.tip.data(), static_cast<int>(row.tip.size())));
    connect(action_, &QAction::toggled, this, &TheoryOverlay::SetOn);
}

void TheoryOverlay::SetOn(bool on) {
    on_ = on;
    if (action_ != nullptr && action_->isChecked() != on) action_->setChecked(on);
    hinted_.clear();  // switched on again, the hint is given again
    Follow();
    form_.SetViewOption(ViewOption::Theory, on);
}

const std::optional<SpectrumAverage>& TheoryOverlay::Curve() {
    return curve_.Of(form_);
}

// The curve goes where the panel's own trace would put the same power: the same x for each
// point and the same height for the same value, in dB or linear, at the range slider's
// setting, as the value axis beside the panel reads.
void TheoryOverlay::Paint(QPainter& painter, const QRect& area) {
    if (area.isEmpty()) return;
    const std::optional<SpectrumAverage>& curve = Curve();
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(kCurveColour);
    pen.setWidthF(1.5);
    painter.setPen(pen);
    const SpectrumPanel panel = shownOn_ == &channel_ ? SpectrumPanel::Channel : SpectrumPanel::Tx;
    const QString label = QString::fromStdString(TheoryLabel(form_, panel, curve.has_value()));
    if (curve) {
        QPainterPath path;
        const std::vector<double> heights = TheoryHeights(form_, *curve);
        for (std::size_t i = 0; i < heights.size(); ++i) {
            const QPointF point(area.left() + area.width() * double(i) / kPlotPoints,
                                area.top() + area.height() * heights[i]);
            if (i == 0) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
        }
        painter.drawPath(path);
    }
    const QRect text = area.adjusted(4, 2, -4, -2);
    painter.drawText(text, Qt::AlignTop | Qt::AlignRight, label);
    painter.restore();
}

}  // namespace linelab
