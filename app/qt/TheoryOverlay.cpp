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

const QColor kTheoryColour(200, 0, 0);

}  // namespace

TheoryOverlay::TheoryOverlay(Form1& form, PicturePanel& txSpectrum, PicturePanel& channelSpectrum,
                             Note note, QObject* parent)
    : QObject(parent),
      form_(form),
      tx_(txSpectrum),
      channel_(channelSpectrum),
      note_(std::move(note)) {}

PicturePanel* TheoryOverlay::Target() const {
    if (form_.Visible(ControlRef(Describe(SpectrumPanel::Tx).picture))) return &tx_;
    if (form_.Visible(ControlRef(Describe(SpectrumPanel::Channel).picture))) return &channel_;
    return nullptr;
}

QString TheoryOverlay::Hint() const {
    const PicturePanel* target = Target();
    if (target == nullptr)
        return QStringLiteral(
            "Theory: this scene shows no spectrum; Tx Filter and the scenes after it do");
    const SpectrumPanel which = target == &tx_ ? SpectrumPanel::Tx : SpectrumPanel::Channel;
    if (form_.Check(Describe(which).check).value == 0)
        return QStringLiteral("Theory: tick the box of the %1 spectrum to see it")
            .arg(which == SpectrumPanel::Tx ? QStringLiteral("transmitter")
                                            : QStringLiteral("channel"));
    return QString();
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
    action_ = view.addAction(QStringLiteral("Theory"));
    action_->setObjectName(QStringLiteral("ViewTheory"));
    action_->setCheckable(true);
    action_->setToolTip(
        QStringLiteral("Draw the line code's expected power spectrum over the spectrum of the "
                       "transmitter's output"));
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
    const RunState& state = form_.State();
    const LineSpectrumSettings settings = TransmitSettingsOf(LinkConfigOf(form_));
    const Signal& response = state.responses.dTxResponse;
    if (!cached_ || !(settings == settings_) || state.dBaudRate != rate_ || response != response_) {
        settings_ = settings;
        rate_ = state.dBaudRate;
        response_ = response;
        curve_ = ExpectedTransmitSpectrum(settings, response, rate_);
        cached_ = true;
    }
    return curve_;
}

// The curve goes where the panel's own trace would put the same power: the same x for each
// point and the same height for the same value, in dB or linear, at the range slider's
// setting, as the value axis beside the panel reads.
void TheoryOverlay::Paint(QPainter& painter, const QRect& area) {
    if (area.isEmpty()) return;
    const std::optional<SpectrumAverage>& curve = Curve();
    const CheckControl& linear = form_.Check(CheckId::chkLinear);
    const SpectrumView view{linear.visible && linear.value == 1,
                            form_.Slider(SliderId::vscSpectrumRange).value};
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(kTheoryColour);
    pen.setWidthF(1.5);
    painter.setPen(pen);
    // Over the channel spectrum the curve is the transmitter's output: a high pass set in
    // the channel takes the lowest frequencies out of the trace, not out of the curve.
    QString label = QStringLiteral("theory");
    if (shownOn_ == &channel_) {
        label = form_.List(ListId::cmbHighPass).text == "None"
                    ? QStringLiteral("theory (transmitter)")
                    : QStringLiteral("theory (transmitter, before the high pass)");
    }
    if (curve) {
        QPainterPath path;
        for (int i = 0; i < kPlotPoints; ++i) {
            const double p = (*curve)[static_cast<std::size_t>(i)];
            // No power at all sits on the bottom edge in dB, as in the panel's trace.
            const double fraction =
                view.linear ? SpectrumHeightFraction(p, view)
                            : (p > 0 ? SpectrumHeightFraction(10 * std::log10(p), view) : 1.0);
            // Held a little outside the area, where the clip cuts it, so that a far value
            // never reaches the painter as a huge coordinate.
            const QPointF point(area.left() + area.width() * double(i) / kPlotPoints,
                                area.top() + area.height() * std::clamp(fraction, -1.0, 2.0));
            if (i == 0) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
        }
        painter.drawPath(path);
    } else {
        label = QStringLiteral("theory: none for these settings");
    }
    const QRect text = area.adjusted(4, 2, -4, -2);
    painter.drawText(text, Qt::AlignTop | Qt::AlignRight, label);
    painter.restore();
}

}  // namespace linelab
