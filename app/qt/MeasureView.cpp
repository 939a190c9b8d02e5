#include "app/qt/MeasureView.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "analysis/BerCountText.h"
#include "app/qt/ControlWidgets.h"
#include "app/qt/EyeOverlay.h"
#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

QLabel* NewReadout(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->hide();
    return label;
}

void ShowText(QLabel* label, const std::string& text, bool visible) {
    const QString shown = QString::fromStdString(text);
    if (label->text() != shown) label->setText(shown);
    if (label->isVisible() != visible) label->setVisible(visible);
}

PicturePanel* EyePanelOf(const ControlWidgets& w, int eye) {
    return w.Picture(Element(PictureId::picTxEye, eye));
}

}  // namespace

MeasureView::MeasureView(QMainWindow& window, Form1& form, ControlWidgets& widgets, Hooks hooks)
    : QObject(&window),
      window_(window),
      form_(form),
      w_(widgets),
      hooks_(std::move(hooks)),
      measurements_(form) {
    QWidget* area = w_.pause->parentWidget();
    w_.ebN0 = NewReadout(area, "lblEbN0");
    w_.berCount = NewReadout(area, "lblBERCount");
    w_.berCount->setAlignment(Qt::AlignCenter);
    w_.eyeOpening = NewReadout(area, "lblEyeOpening");
    QFont small = w_.eyeOpening->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    w_.eyeOpening->setFont(small);
    // Readouts whose text changes wrap within their column rather than widen it.
    w_.eyeOpening->setWordWrap(true);
    w_.berCount->setWordWrap(true);
    w_.berCount->setFont(small);

    std::array<Canvas*, CountOf<PictureId>()> panels{};
    for (std::size_t i = 0; i < panels.size(); ++i)
        panels[i] = w_.pictures[i];
    measurements_.Attach(panels);

    fastTimer_.setInterval(0);
    connect(&fastTimer_, &QTimer::timeout, this, &MeasureView::FastSlice);
    Refresh();  // the readouts take their room before the first layout
}

MeasureView::~MeasureView() {
    fastTimer_.stop();
    for (int eye = 0; eye < kEyePanels; ++eye)
        EyePanelOf(w_, eye)->SetOverlay(nullptr);
}

void MeasureView::AddViewItems(QMenu& view) {
    densityAction_ = view.addAction(QStringLiteral("Density eyes"));
    densityAction_->setObjectName(QStringLiteral("ViewDensityEyes"));
    densityAction_->setCheckable(true);
    densityAction_->setToolTip(QStringLiteral("Show how often traces pass each point of the eyes"));
    connect(densityAction_, &QAction::toggled, this, &MeasureView::SetDensity);
    eyeOpeningAction_ = view.addAction(QStringLiteral("Eye opening"));
    eyeOpeningAction_->setObjectName(QStringLiteral("ViewEyeOpening"));
    eyeOpeningAction_->setCheckable(true);
    eyeOpeningAction_->setToolTip(
        QStringLiteral("Calipers of the receive eye's measured opening, and its figures"));
    connect(eyeOpeningAction_, &QAction::toggled, this, &MeasureView::SetEyeOpening);
}

void MeasureView::AddRunItems(QMenu& run) {
    fastAction_ = run.addAction(QStringLiteral("Fast"));
    fastAction_->setObjectName(QStringLiteral("RunFast"));
    fastAction_->setCheckable(true);
    fastAction_->setToolTip(
        QStringLiteral("Run as fast as the machine allows; the panels show the latest run"));
    connect(fastAction_, &QAction::toggled, this, &MeasureView::SetFast);
}

void MeasureView::Tick() {
    measurements_.Tick();
    Refresh();
}

void MeasureView::SetFast(bool on) {
    if (on == Fast()) return;
    fast_ = on ? std::make_unique<FastRun>(form_, measurements_) : nullptr;
    if (!on) fastTimer_.stop();
    if (fastAction_ != nullptr && fastAction_->isChecked() != on) fastAction_->setChecked(on);
    // Leaving Fast hands the runs back to Timer1 at the cycle the run-control button shows.
    if (hooks_.applyTimer) hooks_.applyTimer();
    RefreshStatus();
}

bool MeasureView::TakesTimer(const TimerControl& timer) {
    if (!Fast()) {
        fastTimer_.stop();
        return false;
    }
    if (timer.enabled && !fastTimer_.isActive()) fastTimer_.start();
    if (!timer.enabled) fastTimer_.stop();
    RefreshStatus();
    return true;
}

void MeasureView::FastSlice() {
    if (!fast_) return;
    const bool drawn = fast_->Slice();
    if (!form_.Timer().enabled) fastTimer_.stop();
    if (!drawn) return;
    Refresh();
    RefreshStatus();
    if (hooks_.afterDrawnRun) hooks_.afterDrawnRun();
}

void MeasureView::SetDensity(bool on) {
    measurements_.SetDensity(on);
    if (densityAction_ != nullptr && densityAction_->isChecked() != on)
        densityAction_->setChecked(on);
    SetOverlays();
}

void MeasureView::SetEyeOpening(bool on) {
    eyeOpening_ = on;
    if (eyeOpeningAction_ != nullptr && eyeOpeningAction_->isChecked() != on)
        eyeOpeningAction_->setChecked(on);
    SetOverlays();
    Refresh();
}

void MeasureView::SetOverlays() {
    for (int eye = 0; eye < kEyePanels; ++eye) {
        const bool calipers = eyeOpening_ && eye == 2;
        PicturePanel* panel = EyePanelOf(w_, eye);
        if (!measurements_.Density() && !calipers) {
            panel->SetOverlay(nullptr);
            continue;
        }
        panel->SetOverlay(
            [this, eye](QPainter& painter, const QRect& rect) { PaintEye(eye, painter, rect); });
    }
}

// `area` is the panel's drawing area (the image's place, inside its title and side bands).
void MeasureView::PaintEye(int eye, QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    const QRect local(QPoint(0, 0), area.size());
    if (measurements_.Density()) PaintDensity(painter, local, measurements_.DensityOf(eye));
    if (eyeOpening_ && eye == 2 && measurements_.RxEyeRuns() > 0) {
        // Every eye is drawn with the transmit eye's scale (see FormHost::DrawEye).
        const Canvas& txEye = form_.CanvasOf(PictureId::picTxEye);
        const EyeGeometry geometry{static_cast<double>(txEye.ScaleWidth()),
                                   static_cast<double>(txEye.ScaleHeight()), std::sqrt(2.0),
                                   form_.State().dBaudRate};
        PaintCalipers(painter, measurements_.RxEyeFigures(), geometry, measurements_.RxSamplingX());
    }
    painter.restore();
}

void MeasureView::Refresh() {
    const std::string ebN0 = EbN0Text(form_);
    ShowText(w_.ebN0, ebN0, form_.Visible(ControlRef(ListId::cmbNoise)));
    // As wide as its widest text, whatever it says now: a level typed never widens the
    // Channel column.
    const int ebN0Width =
        w_.ebN0->fontMetrics().horizontalAdvance(QStringLiteral("Eb/N0 -88.8 dB")) + 4;
    if (w_.ebN0->minimumWidth() != ebN0Width) w_.ebN0->setFixedWidth(ebN0Width);
    w_.ebN0->setToolTip(QString::fromStdString(SignalToNoiseDetail(form_)));
    const BerCounts& counts = measurements_.Counts();
    // On two lines, so that a long count never widens the Output column past the width a
    // 1024-pixel projector leaves it.
    std::string count = BerCountText(counts.Errors(), counts.Bits(), counts.Interval());
    if (const auto comma = count.find(", "); comma != std::string::npos)
        count.replace(comma, 2, ",\n");
    ShowText(w_.berCount, count, form_.Visible(ControlRef(LabelId::lblBER)));
    const bool eyeShown = eyeOpening_ && form_.Visible(ControlRef(PictureId::picRxEye));
    ShowText(
        w_.eyeOpening,
        eyeShown ? EyeOpeningText(measurements_.RxEyeFigures(), ebN0 != "no noise") : std::string(),
        eyeShown);
    if (eyeOpening_ || measurements_.Density()) {
        for (int eye = 0; eye < kEyePanels; ++eye)
            EyePanelOf(w_, eye)->update();
    }
}

void MeasureView::RefreshStatus() {
    if (!hooks_.fastStatus) return;
    hooks_.fastStatus(fast_ ? std::optional<double>(fast_->Rate()) : std::nullopt);
}

}  // namespace linelab
