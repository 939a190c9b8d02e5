#include "app/qt/MeasureView.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "app/qt/ControlWidgets.h"
#include "app/qt/EyeOverlay.h"
#include "app/qt/PicturePanel.h"
#include "ui/Form1.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

// A readout's label, looking as its row says (see ReadoutLook).
QLabel* NewReadout(QWidget* parent, const Readout& readout) {
    auto* label = new QLabel(parent);
    label->setObjectName(
        QString::fromUtf8(readout.name.data(), static_cast<int>(readout.name.size())));
    label->setTextFormat(Qt::PlainText);
    label->hide();
    if (readout.look == ReadoutLook::Line) return label;
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    // A text that changes wraps within its column rather than widen it.
    label->setWordWrap(true);
    if (readout.look == ReadoutLook::Count) label->setAlignment(Qt::AlignCenter);
    return label;
}

// A one-line readout keeps the width of its widest text in the font it has now (the window's
// zoom changes it), so that its column never widens as the text changes.
void KeepWidth(QLabel* label, std::string_view widest) {
    const QString text = QString::fromUtf8(widest.data(), static_cast<int>(widest.size()));
    const int width = label->fontMetrics().horizontalAdvance(text) + 4;
    if (label->minimumWidth() != width || label->maximumWidth() != width)
        label->setFixedWidth(width);
}

void ShowText(QLabel* label, const std::string& text, bool visible) {
    const QString shown = QString::fromStdString(text);
    if (label->text() != shown) label->setText(shown);
    if (label->isVisible() != visible) label->setVisible(visible);
}

PicturePanel* EyePanelOf(const ControlWidgets& w, int eye) {
    return w.Picture(Describe(static_cast<EyePanel>(eye)).picture);
}

constexpr int kRxEye = static_cast<int>(EyePanel::Rx);

}  // namespace

MeasureView::MeasureView(QMainWindow& window, Form1& form, ControlWidgets& widgets, Hooks hooks)
    : QObject(&window),
      window_(window),
      form_(form),
      w_(widgets),
      hooks_(std::move(hooks)),
      measurements_(form) {
    QWidget* area = w_.pause->parentWidget();
    for (const Readout& readout : Readouts())
        w_.readouts.push_back(NewReadout(area, readout));

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
    const auto text = [](std::string_view s) {
        return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    };
    const ViewOptionRow& density = RowOf(ViewOption::DensityEyes);
    densityAction_ = view.addAction(text(density.menu));
    densityAction_->setObjectName(QStringLiteral("ViewDensityEyes"));
    densityAction_->setCheckable(true);
    densityAction_->setToolTip(text(density.tip));
    connect(densityAction_, &QAction::toggled, this, &MeasureView::SetDensity);
    const ViewOptionRow& opening = RowOf(ViewOption::EyeOpening);
    eyeOpeningAction_ = view.addAction(text(opening.menu));
    eyeOpeningAction_->setObjectName(QStringLiteral("ViewEyeOpening"));
    eyeOpeningAction_->setCheckable(true);
    eyeOpeningAction_->setToolTip(text(opening.tip));
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

// The form model holds the View options (a lesson keeps them); the window applies its
// changes here, and a switch made here is told to it.
void MeasureView::SetDensity(bool on) {
    measurements_.SetDensity(on);
    if (densityAction_ != nullptr && densityAction_->isChecked() != on)
        densityAction_->setChecked(on);
    SetOverlays();
    form_.SetViewOption(ViewOption::DensityEyes, on);
}

void MeasureView::SetEyeOpening(bool on) {
    eyeOpening_ = on;
    if (eyeOpeningAction_ != nullptr && eyeOpeningAction_->isChecked() != on)
        eyeOpeningAction_->setChecked(on);
    SetOverlays();
    Refresh();
    form_.SetViewOption(ViewOption::EyeOpening, on);
}

void MeasureView::SetRxEyeExtra(EyePainter paint) {
    rxExtra_ = std::move(paint);
    SetOverlays();
    EyePanelOf(w_, kRxEye)->update();
}

void MeasureView::SetOverlays() {
    for (int eye = 0; eye < kEyePanels; ++eye) {
        const bool calipers = (eyeOpening_ || rxExtra_) && eye == kRxEye;
        PicturePanel* panel = EyePanelOf(w_, eye);
        if (!measurements_.Density() && !calipers) {
            panel->SetOverlay(nullptr);
            continue;
        }
        panel->SetOverlay(
            [this, eye](QPainter& painter, const QRect& rect) { PaintEye(eye, painter, rect); },
            measurements_.Density());
    }
}

// `area` is the panel's drawing area (the image's place, inside its title and side bands).
// Shown large or exported, `area` is larger than the panel's own drawing, whose pixels the
// density and the calipers are measured in: the painter scales them to fill it.
void MeasureView::PaintEye(int eye, QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    const QSize own = EyePanelOf(w_, eye)->DrawingRect().size();
    QRect local(QPoint(0, 0), area.size());
    if (!own.isEmpty() && own != area.size()) {
        painter.scale(double(area.width()) / own.width(), double(area.height()) / own.height());
        local.setSize(own);
    }
    if (measurements_.Density()) PaintDensity(painter, local, measurements_.DensityOf(eye));
    if (eyeOpening_ && eye == kRxEye && measurements_.RxEyeRuns() > 0) {
        // Every eye is drawn with the transmit eye's scale (see FormHost::DrawEye).
        const Canvas& txEye = form_.CanvasOf(PictureId::picTxEye);
        const EyeGeometry geometry{static_cast<double>(txEye.ScaleWidth()),
                                   static_cast<double>(txEye.ScaleHeight()), std::sqrt(2.0),
                                   form_.State().dBaudRate};
        PaintCalipers(painter, measurements_.RxEyeFigures(), geometry, measurements_.RxSamplingX(),
                      CaliperColour(measurements_.Density(), EyePanelOf(w_, eye)->HighContrast()));
    }
    if (rxExtra_ && eye == kRxEye) rxExtra_(painter, local);
    painter.restore();
}

void MeasureView::Refresh() {
    const std::vector<ReadoutText> texts = measurements_.ReadReadouts(eyeOpening_);
    const auto table = Readouts();
    for (std::size_t i = 0; i < texts.size() && i < w_.readouts.size(); ++i) {
        QLabel* label = w_.readouts[i];
        if (table[i].look == ReadoutLook::Line) KeepWidth(label, table[i].widest);
        ShowText(label, texts[i].text, texts[i].shown);
        const QString tip = QString::fromStdString(texts[i].detail);
        if (label->toolTip() != tip) label->setToolTip(tip);
    }
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
